#!/usr/bin/env bash
# Builds the Debian package of KUBRIX: build-paquet/kubrix_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh paquet

cmake -S . -B build-paquet -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBRIX_TESTS=OFF
cmake --build build-paquet
(cd build-paquet && cpack -G DEB)
ls build-paquet/*.deb
