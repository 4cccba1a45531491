#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds KUBRIX and starts it. Without a display, serves it over VNC on
# 127.0.0.1 only, behind a one-time password (see servir_vnc.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh jeu

dossier="${KUBRIX_BUILD:-build}"
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBRIX_TESTS=OFF
cmake --build "$dossier" --target kubrix

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$dossier"/ui/kubrix
fi

bash scripts/dependances.sh vnc
exec bash scripts/servir_vnc.sh "$dossier"/ui/kubrix
