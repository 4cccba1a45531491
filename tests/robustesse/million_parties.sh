#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One million simulated games against ORDY, every invariant of the state
# checked after every turn (kubrix-sim --verifier). Not run by the CI: about
# two minutes on two cores. Usage: million_parties.sh [graine] [parties]
set -euo pipefail
cd "$(dirname "$0")/../.."
graine="${1:-20261207}"
parties="${2:-1000000}"
dossier="${KUBRIX_BUILD:-build-robuste}"
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dossier" --target kubrix-sim >/dev/null
debut=$(date +%s.%N)
"$dossier"/tools/kubrix-sim --games "$parties" --seed "$graine" --verifier
echo "$parties parties, graine $graine, $(echo "$(date +%s.%N) - $debut" | bc) s, aucune faute d'invariant"
