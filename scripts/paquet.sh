#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of KUBRIX from debian/ (debhelper) in a copy of
# the sources, so that the tree stays clean: SORTIE/kubrix_3.0-1_<arch>.deb
# (SORTIE: build-paquet by default). Usage: paquet.sh [SORTIE]
set -euo pipefail
sortie=$(realpath -m "${1:-$(dirname "$0")/../build-paquet}")
cd "$(dirname "$0")/.."
bash scripts/dependances.sh paquet
# The build dependencies of debian/control; `apt-get build-dep ./` installs them.
dpkg-checkbuilddeps || { echo "Pour les installer : sudo apt-get build-dep ./" >&2; exit 1; }

rm -rf "$sortie"
mkdir -p "$sortie/kubrix"
# Not the build trees, nor the output folder when it lies in the sources.
tar --exclude='./build*' --exclude=./.git --exclude=./.cache --exclude="./${sortie#"$PWD"/}" -cf - . \
  | tar -C "$sortie/kubrix" -xf -
cd "$sortie/kubrix"
debut=$(date +%s)
DEB_BUILD_OPTIONS="nocheck parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage -us -uc -b >"$sortie/construction.log" 2>&1 \
  || { tail -40 "$sortie/construction.log"; echo "échec : $sortie/construction.log" >&2; exit 1; }
echo "dpkg-buildpackage : $(( $(date +%s) - debut )) s"
ls "$sortie"/kubrix_*.deb
