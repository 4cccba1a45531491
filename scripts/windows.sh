#!/usr/bin/env bash
# KUBRIX for Windows, cross-built on Debian with MinGW-w64 and packaged as a
# zip and an NSIS installer. Not part of CI: Qt for MinGW is built once from
# Debian's sources (an hour or more) into a cache outside the repository.
#
#   scripts/windows.sh [dependances|qt|jeu-seul|jeu|paquets|tout]   (default: tout)
#
# KUBRIX_CACHE (default ~/.cache/kubrix) holds Qt's sources, build and prefix;
# KUBRIX_WINDOWS (default build-windows/ in the repository) the game's build
# and the packages.
set -euo pipefail

RACINE=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${KUBRIX_CACHE:-$HOME/.cache/kubrix}
VERSION_QT=6.4.2
QT=$CACHE/qt-$VERSION_QT-mingw64
SOURCES=$CACHE/src
SORTIE=${KUBRIX_WINDOWS:-$RACINE/build-windows}
TOOLCHAIN=$RACINE/packaging/windows/mingw64.cmake
MINGW=x86_64-w64-mingw32
JOBS=${JOBS:-2}
VERSION=3.0

dit() { printf '== %s\n' "$*" >&2; }

dependances() {
  local manquants=()
  for p in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
           mingw-w64-tools dpkg-dev cmake ninja-build googletest qt6-base-dev-tools \
           qt6-translations-l10n nsis zip; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || manquants+=("$p")
  done
  if ((${#manquants[@]})); then
    dit "installation: ${manquants[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${manquants[@]}"
  fi
  local hote
  hote=$(/usr/lib/qt6/libexec/moc -v | awk '{print $2}')
  [[ $hote == "$VERSION_QT" ]] || { echo "Qt de l'hôte $hote, $VERSION_QT attendu" >&2; exit 1; }
}

# Debian's own sources of the host's Qt version, so that the host tools
# (moc, rcc, uic) match the libraries built here.
sources_qt() {
  [[ -d $SOURCES/qt6-base-$VERSION_QT+dfsg && -d $SOURCES/qt6-multimedia-$VERSION_QT ]] && return
  if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
    cat > /etc/apt/sources.list.d/debian-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update
  fi
  mkdir -p "$SOURCES"
  (cd "$SOURCES" && apt-get source "qt6-base=$VERSION_QT*" "qt6-multimedia=$VERSION_QT*")
}

qt() {
  sources_qt
  local base=$SOURCES/qt6-base-$VERSION_QT+dfsg mm=$SOURCES/qt6-multimedia-$VERSION_QT
  if [[ ! -f $CACHE/qtbase.fait ]]; then
    dit "qtbase pour MinGW-w64 -> $QT"
    # Only what the game uses: Core, Gui, Widgets, Network (needed by
    # Multimedia), Test, the windows platform and style plugins. Third-party
    # libraries are the bundled ones: nothing is taken from the host.
    cmake -S "$base" -B "$CACHE/build-qtbase" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$QT" \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DFEATURE_pkg_config=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
      -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_system_doubleconversion=OFF \
      -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF \
      -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
      -DFEATURE_ssl=OFF -DFEATURE_sql_sqlite=OFF
    cmake --build "$CACHE/build-qtbase" -j "$JOBS"
    cmake --install "$CACHE/build-qtbase"
    touch "$CACHE/qtbase.fait"
  fi
  if [[ ! -f $CACHE/qtmultimedia.fait ]]; then
    dit "qtmultimedia pour MinGW-w64 -> $QT"
    cmake -S "$mm" -B "$CACHE/build-qtmultimedia" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$QT" \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DFEATURE_pkg_config=OFF -DFEATURE_spatialaudio=OFF -DFEATURE_ffmpeg=OFF
    cmake --build "$CACHE/build-qtmultimedia" -j "$JOBS"
    cmake --install "$CACHE/build-qtmultimedia"
    touch "$CACHE/qtmultimedia.fait"
  fi
}

case ${1:-tout} in
  dependances) dependances ;;
  qt) dependances; qt ;;
  *) echo "usage: $0 [dependances|qt|jeu-seul|jeu|paquets|tout]" >&2; exit 2 ;;
esac
