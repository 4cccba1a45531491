#!/usr/bin/env bash
# Builds KUBRIX and runs every test (the window's tests run offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh tests

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j 2
