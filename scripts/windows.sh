#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# KUBRIX for Windows, cross-built on Debian with MinGW-w64 and packaged as a
# zip and an NSIS installer. Qt for MinGW is built once from Debian's sources
# (hours on two cores) into a cache outside the repository, and reused
# afterwards; CI runs only the part without Qt (noyau).
#
#   scripts/windows.sh [etape]
#     dependances  Debian packages needed here (compilers, nsis, wine...)
#     qt           Qt 6.4.2 (qtbase with Qt Test) for MinGW-w64, once for each
#                  KUBRIX_OPTIM_QT (-O2 unless set)
#     qt-fond      the same in the background, niced, log in the cache
#     sources      Debian's qtbase sources, patched, in the cache (also for web.sh)
#     jeu-seul     the game without its window (kubrix-sim, tests_jeu): no Qt needed
#     noyau        jeu-seul, then its tests and the simulator's figures under Wine (CI)
#     jeu          the whole game against the Qt built above
#     paquets      kubrix-3.0-win64.zip and kubrix-3.0-setup.exe
#     verifier     tests_jeu.exe and kubrix-sim.exe from the zip, under Wine
#     fenetre      the window's tests built against that Qt, run under Wine
#     repos        the game at rest under Wine, against a bare Qt window
#     tout         (default) dependances, qt, jeu, paquets
#
# KUBRIX_CACHE (default ~/.cache/kubrix) holds Qt's sources, build and prefix;
# KUBRIX_WINDOWS (default build-windows/ in the repository) the game's builds
# and the packages.
set -euo pipefail

RACINE=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${KUBRIX_CACHE:-$HOME/.cache/kubrix}
VERSION_QT=6.4.2
SOURCES=$CACHE/src
BASE=$SOURCES/qt6-base-$VERSION_QT+dfsg
SORTIE=${KUBRIX_WINDOWS:-$RACINE/build-windows}
TOOLCHAIN=$RACINE/packaging/windows/mingw64.cmake
MINGW=x86_64-w64-mingw32
# The MinGW runtime: the C++ library and the unwinder from GCC's posix
# flavour, the threads from MinGW itself.
DLL_MINGW=(/usr/lib/gcc/$MINGW/12-posix /usr/$MINGW/lib)
JOBS=${JOBS:-2}
# Qt is optimised as a release is. Each setting has its own build and prefix
# in the cache, so that two can be measured side by side.
OPTIM_QT=${KUBRIX_OPTIM_QT:--O2}
VERSION=3.0
QT=$CACHE/qt-$VERSION_QT-mingw64$OPTIM_QT
PAQUET=kubrix-$VERSION-win64
INSTALLATEUR=kubrix-$VERSION-setup.exe

. "$RACINE/scripts/installer.sh"  # dit, installer

PAQUETS_NOYAU=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               cmake ninja-build googletest)

dependances() {
  installer "${PAQUETS_NOYAU[@]}" mingw-w64-tools dpkg-dev qt6-base-dev-tools \
    qt6-translations-l10n nsis zip imagemagick "$@"
  local hote
  hote=$(/usr/lib/qt6/libexec/moc -v | awk '{print $2}')
  [[ $hote == "$VERSION_QT" ]] || { echo "Qt de l'hôte $hote, $VERSION_QT attendu" >&2; exit 1; }
}

# Debian's own sources of the host's Qt, so that the host tools (moc, rcc,
# uic) match the libraries built here. apt-get source takes an exact version:
# the one the host's package was built from, or else the newest of the same
# Qt release (the archive may have moved on since the host was installed).
# They are unpacked and patched aside, and put in place only when complete.
sources_qt() {
  [[ -d $BASE ]] && return
  local voulue versions version tmp
  voulue=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
  versions=$(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p' || true)
  if [[ -z $versions ]]; then
    if ! grep -rqsE '^deb-src|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      cat > /etc/apt/sources.list.d/debian-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    fi
    apt-get -o DPkg::Lock::Timeout=900 update
    versions=$(apt-cache showsrc qt6-base | sed -n 's/^Version: //p')
  fi
  if grep -qxF "$voulue" <<< "$versions"; then
    version=$voulue
  else
    version=$(grep -F "$VERSION_QT+" <<< "$versions" | sort -V | tail -n 1)
    [[ -n $version ]] || { echo "pas de sources de qt6-base $VERSION_QT (hôte: $voulue)" >&2; exit 1; }
    dit "sources $voulue absentes de l'archive: $version"
  fi
  dit "sources de qt6-base $version"
  tmp=$SOURCES/.en-cours
  rm -rf "$tmp"; mkdir -p "$tmp"
  (cd "$tmp" && apt-get source "qt6-base=$version")
  patcher "$tmp/$(basename "$BASE")"
  mv "$tmp/$(basename "$BASE")" "$BASE"
  rm -rf "$tmp"
}

# Our patches, on Debian's tree as unpacked (its own patches applied).
patcher() {
  local w=$1/src/plugins/platforms/windows
  # Debian's qtbase sources leave out Wacom's wintab.h: the windows platform
  # plugin is built without its Wintab tablet support (tablet events still
  # exist in Qt; the game has no use for them).
  sed -i 's/QT_CONFIG(tabletevent)/0 \/\* kubrix: no wintab.h \*\//' \
    "$w/qwindowscontext.cpp" "$w/qwindowspointerhandler.cpp" "$w/qwindowspointerhandler.h"
  sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION FALSE # kubrix: no wintab.h/' "$w/CMakeLists.txt"
  # Dynamic OpenGL stays on when OpenGL is turned off, and the plugin then
  # asks for OpenGL's classes.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl) \/\* kubrix \*\//' "$w/qwindowswindow.cpp"
  # Qt Gui has the DirectWrite font database only with Direct2D.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d) \/\* kubrix \*\//' "$w/qwindowsintegration.cpp"
  # A pattern that no longer matches (other sources) must stop the build here,
  # not an hour later.
  local f
  for f in qwindowscontext.cpp qwindowspointerhandler.cpp qwindowspointerhandler.h CMakeLists.txt \
           qwindowswindow.cpp qwindowsintegration.cpp; do
    grep -q kubrix "$w/$f" || { echo "correctif non appliqué: $w/$f" >&2; exit 1; }
  done
}

qt() {
  sources_qt
  # Let a benchmark pause the whole build (SIGSTOP to this process group).
  [[ $(ps -o pgid= $$ | tr -d ' ') == "$$" ]] && echo $$ > /tmp/kubrix-qt-mingw.pid
  if [[ ! -f $QT/kubrix-qt.fait ]]; then
    dit "qtbase pour MinGW-w64 ($OPTIM_QT) -> $QT"
    # Only what the game and its tests use: Core, Gui, Widgets, Test, the
    # windows platform and style plugins. Third-party libraries are the
    # bundled ones: nothing is taken from the host.
    cmake -S "$BASE" -B "$CACHE/build-qtbase$OPTIM_QT" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release \
      -DQT_USE_DEFAULT_CMAKE_OPTIMIZATION_FLAGS=ON \
      -DCMAKE_C_FLAGS_RELEASE="$OPTIM_QT -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="$OPTIM_QT -DNDEBUG" \
      -DCMAKE_INSTALL_PREFIX="$QT" \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DFEATURE_pkg_config=OFF -DFEATURE_testlib=ON -DFEATURE_network=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
      -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_system_doubleconversion=OFF \
      -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF \
      -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
      -DFEATURE_ssl=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_schannel=OFF -DFEATURE_direct2d=OFF \
      -DFEATURE_graphicsview=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    cmake --build "$CACHE/build-qtbase$OPTIM_QT" -j "$JOBS"
    cmake --install "$CACHE/build-qtbase$OPTIM_QT"
    echo "$OPTIM_QT" > "$QT/kubrix-qt.fait"
  fi
  dit "Qt pour MinGW-w64 prêt: $QT"
}

qt_fond() {
  mkdir -p "$CACHE"
  nice -n 19 setsid -f bash "$RACINE/scripts/windows.sh" qt > "$CACHE/qt-build.log" 2>&1 < /dev/null
  dit "construction de Qt en arrière-plan: $CACHE/qt-build.log"
}

# The program's icon, for the executable and the installer, from the PNGs
# the Linux desktop uses.
icone() {
  local ico=$SORTIE/kubrix.ico
  if [[ ! -f $ico ]]; then
    mkdir -p "$SORTIE"
    convert $(for t in 16 32 48 64 128 256; do echo "$RACINE/assets/images/icones/kubrix-$t.png"; done) "$ico"
  fi
  echo "$ico"
}

jeu_seul() {
  dit "jeu sans fenêtre (kubrix-sim, tests_jeu) pour Windows"
  cmake -S "$RACINE" -B "$SORTIE/jeu-seul" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DKUBRIX_UI=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
  cmake --build "$SORTIE/jeu-seul" -j "$JOBS" --target kubrix-sim tests_jeu
}

jeu() {
  [[ -f $QT/kubrix-qt.fait ]] || { echo "Qt pour MinGW-w64 absent: $0 qt" >&2; exit 1; }
  dit "KUBRIX pour Windows"
  cmake -S "$RACINE" -B "$SORTIE/jeu" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release \
    -DKUBRIX_ICONE_WINDOWS="$(icone)" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
  cmake --build "$SORTIE/jeu" -j "$JOBS" --target kubrix kubrix-sim tests_jeu
}

# Copies into $1 every DLL that the executables and plugins there need and
# that is not part of Windows itself, following the DLLs' own needs.
copier_dll() {
  local dossier=$1 change=1 f dll src
  while ((change)); do
    change=0
    while IFS= read -r f; do
      while IFS= read -r dll; do
        [[ -e $dossier/$dll ]] && continue
        for src in "$QT/bin" "${DLL_MINGW[@]}"; do
          if [[ -f $src/$dll ]]; then cp "$src/$dll" "$dossier/"; change=1; break; fi
        done
      done < <($MINGW-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p')
    done < <(find "$dossier" -name '*.exe' -o -name '*.dll')
  done
}

deployer() {
  local d=$SORTIE/$PAQUET b=$SORTIE/jeu
  dit "dossier du programme: $d"
  rm -rf "$d"
  mkdir -p "$d"/{platforms,styles,translations}
  cp "$b/ui/kubrix.exe" "$b/tools/kubrix-sim.exe" "$b/tests/tests_jeu.exe" "$d/"
  cp "$RACINE/assets/aide/KUBRIX.HLP" "$d/"
  cp "$QT/plugins/platforms/qwindows.dll" "$d/platforms/"
  cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$d/styles/"
  cp /usr/share/qt6/translations/qtbase_fr.qm "$d/translations/"
  # Qt's prefix is the program's folder: plugins beside the executable,
  # translations in translations/.
  printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$d/qt.conf"
  copier_dll "$d"
  find "$d" -name '*.exe' -o -name '*.dll' | xargs $MINGW-strip --strip-unneeded
}

paquets() {
  deployer
  local d=$SORTIE/$PAQUET
  dit "$PAQUET.zip"
  rm -f "$SORTIE/$PAQUET.zip"
  (cd "$SORTIE" && zip -qr9 "$PAQUET.zip" "$PAQUET")
  dit "$INSTALLATEUR"
  # The installer lists each file it puts down, so that the uninstaller
  # removes exactly those and the folders left empty.
  local liste=$SORTIE/fichiers.nsh f rel dir
  : > "$liste.inst"; : > "$liste.desinst"
  while IFS= read -r f; do
    rel=${f#"$d"/}
    if [[ -d $f ]]; then
      printf 'RMDir "$INSTDIR\\%s"\n' "${rel//\//\\}" >> "$liste.desinst.dirs"
    else
      dir=$(dirname "$rel"); [[ $dir == . ]] && dir= || dir=\\${dir//\//\\}
      printf 'SetOutPath "$INSTDIR%s"\nFile "%s"\n' "$dir" "$f" >> "$liste.inst"
      printf 'Delete "$INSTDIR\\%s"\n' "${rel//\//\\}" >> "$liste.desinst"
    fi
  done < <(cd "$d" && find "$d" -mindepth 1 | sort)
  # Deepest folders first.
  sort -r "$liste.desinst.dirs" >> "$liste.desinst" 2>/dev/null || true
  rm -f "$liste.desinst.dirs"
  makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$VERSION" -DSORTIE="$SORTIE/$INSTALLATEUR" -DICONE="$(icone)" \
    -DFICHIERS="$liste.inst" -DFICHIERS_SUPPRIMES="$liste.desinst" \
    "$RACINE/packaging/windows/kubrix.nsi"
  ls -l "$SORTIE/$PAQUET.zip" "$SORTIE/$INSTALLATEUR"
}

# Wine for our programs: its prefix, quiet, no Mono/Gecko prompts, and the
# given folders (DLLs left where they lie) on its search path, as Windows
# paths (Wine's Z: is /).
environnement_wine() {
  local dll=() d
  for d in "$@"; do dll+=("Z:${d//\//\\}"); done
  export WINEPREFIX=${WINEPREFIX:-$SORTIE/wine} WINEDEBUG=${WINEDEBUG:--all} \
    WINEDLLOVERRIDES="mscoree,mshtml=" WINEPATH="$(IFS=';'; echo "${dll[*]}")"
}

# The game's tests and the simulator from the unpacked zip, under Wine; the
# simulator's statistics must be those of the Linux build of the same sources
# (the first line, with the time taken, aside).
verifier() {
  installer wine wine64
  local essai=$SORTIE/essai-zip
  rm -rf "$essai"; mkdir -p "$essai"
  (cd "$essai" && unzip -q "$SORTIE/$PAQUET.zip")
  WINEPREFIX=${WINEPREFIX:-$CACHE/wine}
  environnement_wine  # the zip carries its own DLLs
  wine "$essai/$PAQUET/tests_jeu.exe" --gtest_brief=1

  cmake -S "$RACINE" -B "$SORTIE/linux" -G Ninja -DKUBRIX_UI=OFF -DKUBRIX_TESTS=OFF > /dev/null
  cmake --build "$SORTIE/linux" --target kubrix-sim > /dev/null
  "$SORTIE/linux/tools/kubrix-sim" --games 10000 --seed 1 > "$essai/sim-linux.txt"
  wine "$essai/$PAQUET/kubrix-sim.exe" --games 10000 --seed 1 | tr -d '\r' > "$essai/sim-windows.txt"
  cat "$essai/sim-windows.txt"
  if diff <(tail -n +2 "$essai/sim-linux.txt") <(tail -n +2 "$essai/sim-windows.txt"); then
    dit "kubrix-sim: mêmes statistiques sous Wine et sous Linux"
  else
    dit "kubrix-sim: les statistiques diffèrent"; exit 1
  fi
}

# The game's rules built for Windows and run under Wine, without Qt: their
# tests, and the simulator's statistics against the recorded ones. Minutes,
# not hours: CI runs it on every landing, so that a change that breaks the
# game on Windows is refused at once.
noyau() {
  installer "${PAQUETS_NOYAU[@]}" wine wine64
  jeu_seul
  local b=$SORTIE/jeu-seul
  environnement_wine "${DLL_MINGW[@]}"
  wine "$b/tests/tests_jeu.exe" --gtest_brief=1
  wine "$b/tools/kubrix-sim.exe" --games 2000 --seed 1 --jobs 1 | tr -d '\r' | tail -n +2 > "$b/sim-2000.txt"
  diff -u "$RACINE/tests/simulation/reference_2000_parties.txt" "$b/sim-2000.txt"
  # In a console (Wine's, on a terminal), the accents read as such.
  script -qec "wine '$b/tools/kubrix-sim.exe' --games 10 --seed 1" /dev/null < /dev/null |
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' > "$b/sim-console.txt"
  grep -q 'écart' "$b/sim-console.txt" || { dit "kubrix-sim.exe: accents illisibles dans la console"; exit 1; }
  wineserver -k 2>/dev/null || true
  dit "sous Wine: tests_jeu.exe passe, kubrix-sim.exe donne les statistiques de référence"
}

# A private Xvfb of the given size, on a free display that becomes DISPLAY;
# its process is the last one started ($!).
ecran_prive() {
  local ecran
  ecran=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1"x24 "${@:2}" 3> "$ecran" 2>/dev/null &
  until [[ -s $ecran ]]; do sleep 0.1; done
  export DISPLAY=:$(cat "$ecran"); rm -f "$ecran"
}

# The window's tests built for Windows and run under Wine, offscreen and then
# on Wine's own window system (a private Xvfb with openbox), with Qt's French
# translations. The pause timing bench (PrecisionPauses) is left to bench/, as
# on Linux.
fenetre() {
  installer wine wine64 xvfb openbox x11-utils
  jeu
  local b=$SORTIE/jeu t plateforme echecs=() xvfb wm
  cmake --build "$b" -j "$JOBS" --target tests_ui tests_ressources tests_robustesse
  environnement_wine "$QT/bin" "${DLL_MINGW[@]}"
  export KUBRIX_EVENEMENTS=2000 KUBRIX_GRAINE=1
  local tests=(tests/tests_ui.exe tests/ressources/tests_ressources.exe tests/robustesse/tests_robustesse.exe)
  # Qt's prefix (its plugins) is the one built here; the translations are the host's.
  for t in "${tests[@]}"; do
    printf '[Paths]\r\nPrefix = Z:%s\r\nTranslations = Z:/usr/share/qt6/translations\r\n' "$QT" \
      > "$b/$(dirname "$t")/qt.conf"
  done
  ecran_prive 1024x768; xvfb=$!
  openbox > /dev/null 2>&1 & wm=$!
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do sleep 0.1; done
  for plateforme in offscreen windows; do
    for t in "${tests[@]}"; do
      dit "$(basename "$t") sous Wine, QT_QPA_PLATFORM=$plateforme"
      (cd "$b/$(dirname "$t")" && QT_QPA_PLATFORM=$plateforme timeout 900 \
        wine "$(basename "$t")" --gtest_brief=1 --gtest_filter=-PrecisionPauses.*) || echecs+=("$t ($plateforme)")
    done
  done
  wineserver -k 2>/dev/null || true
  kill "$wm" "$xvfb"
  if ((${#echecs[@]})); then dit "échecs: ${echecs[*]}"; exit 1; fi
  dit "les tests de la fenêtre passent sous Wine"
}

# The game at rest under Wine beside a bare Qt window (bench/qt_nu.cpp, same Qt and folder), in turn, seen
# by bench/demarrage.c on a private Xvfb without window manager: over 10 s of rest, CPU and wake-ups
# (medians of KUBRIX_ESSAIS runs, 7) within 10 % of the bare window's, and no drawing.
repos() {
  installer wine wine64 xvfb gcc libxcb-damage0-dev
  jeu; deployer
  local b=$SORTIE/repos i c e=0 p=(kubrix qt_nu) n=${KUBRIX_ESSAIS:-7}
  rm -rf "$b"; cp -r "$SORTIE/$PAQUET" "$b"
  gcc -O2 -o "$b/demarrage" "$RACINE/bench/demarrage.c" -lxcb -lxcb-damage
  $MINGW-g++-posix -O2 -std=c++20 -mwindows -o "$b/qt_nu.exe" "$RACINE/bench/qt_nu.cpp" \
    -isystem"$QT"/include{,/QtCore,/QtGui,/QtWidgets} -L"$QT/lib" -lQt6{Widgets,Gui,Core}
  environnement_wine; ecran_prive 1280x1024 -nocursor; trap "kill $!; wineserver -k || true" EXIT
  mkdir -p "$WINEPREFIX"; wineserver -p; wine wineboot
  for ((i = 0; i < 2 * n + 2; i++)); do  # the first two only warm the caches
    echo "${p[i % 2]} $(cd "$b" && ./demarrage 6 10 wine ${p[i % 2]}.exe)"
  done | tail -n +3 | tee "$b/mesures.txt"
  for c in 6 7; do  # CPU (ms), wake-ups: KUBRIX's median, the bare window's
    sort -k$c,${c}g "$b/mesures.txt" | awk -v c=$c -v m=$(((n + 1) / 2)) '++k[$1] == m {v[$1] = $c}
      END {print "repos, colonne " c ": KUBRIX " v["kubrix"] ", Qt seul " v["qt_nu"]; exit !(v["kubrix"] <= 1.1 * v["qt_nu"])}' || e=1
  done
  awk 'NF != 10 || ($1 == "kubrix" && $8 != 0) {exit 1}' "$b/mesures.txt" || { dit "KUBRIX dessine au repos, ou pas de fenêtre"; e=1; }
  ((e == 0))
}

case ${1:-tout} in
  dependances) dependances ;;
  qt) dependances; qt ;;
  qt-fond) qt_fond ;;
  sources) installer dpkg-dev; sources_qt ;;
  jeu-seul) installer "${PAQUETS_NOYAU[@]}"; jeu_seul ;;
  noyau) noyau ;;
  fenetre) fenetre ;;
  repos) repos ;;
  jeu) jeu ;;
  paquets) paquets ;;
  verifier) verifier ;;
  tout) dependances; qt; jeu; paquets ;;
  *) sed -n '2,24p' "$0" >&2; exit 2 ;;
esac
