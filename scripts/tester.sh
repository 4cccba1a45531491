#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds KUBRIX and runs every test (the window's tests run offscreen), then
# builds the tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole suite once more; last, the game's rules built for Windows
# run their tests and the simulator under Wine, and built with emscripten
# under Node.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh tests

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j 2

# Sanitizers: any error stops the test that meets it (-fno-sanitize-recover);
# LeakSanitizer judges the game's own tests and the simulator (see CMakeLists.txt).
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBRIX_SANITIZE=ON
cmake --build build-sanitize
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j 2

# Windows: the rules, their tests and the simulator (no Qt), under Wine.
bash scripts/windows.sh noyau

# The browser: the same rules built for WebAssembly, under Node.
bash scripts/web.sh noyau
