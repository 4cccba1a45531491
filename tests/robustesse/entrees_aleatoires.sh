#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The full random-input run on the real window (offscreen, instant pauses):
# 100 000 events by default, every invariant checked after each one.
# Usage: entrees_aleatoires.sh [evenements] [graine]
set -euo pipefail
cd "$(dirname "$0")/../.."
dossier="${KUBRIX_BUILD:-build-robuste}"
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dossier" --target tests_robustesse >/dev/null
QT_QPA_PLATFORM=offscreen KUBRIX_EVENEMENTS="${1:-100000}" KUBRIX_GRAINE="${2:-1}" \
  "$dossier"/tests/robustesse/tests_robustesse --gtest_filter='EntreesAleatoires.*'
