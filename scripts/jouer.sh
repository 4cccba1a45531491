#!/usr/bin/env bash
# Builds KUBRIX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh jeu

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBRIX_TESTS=OFF
cmake --build build --target kubrix
exec ./build/ui/kubrix
