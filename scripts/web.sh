#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# KUBRIX in a web browser: Qt's qtbase built for WebAssembly from Debian's
# sources with Debian's emscripten (asyncify, for the game's modal windows),
# once, into a cache outside the repository; then the game, as a folder of
# static files and an archive of it. CI runs only the part without Qt (noyau).
#
#   scripts/web.sh [etape]
#     dependances  Debian packages needed here (emscripten, node...)
#     qt           qtbase 6.4.2 for WebAssembly (about 25 minutes on two cores)
#     qt-fond      the same in the background, niced, log in the cache
#     noyau        the rules and the simulator built with em++, the simulator's
#                  statistics under Node against the recorded ones (CI)
#     jeu          the page, against the Qt built above
#     paquet       the folder of static files and kubrix-3.0-web.tar.gz
#     servir       serves the folder on 127.0.0.1 and prints the address
#     verifier     plays the page in headless Chromium (playwright-core)
#     tout         (default) dependances, qt, jeu, paquet
#
# KUBRIX_CACHE (default ~/.cache/kubrix) holds Qt's sources, build and prefix;
# KUBRIX_WEB (default build-web/ in the repository) the game's builds and the
# page.
set -euo pipefail

RACINE=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${KUBRIX_CACHE:-$HOME/.cache/kubrix}
VERSION_QT=6.4.2
SORTIE=${KUBRIX_WEB:-$RACINE/build-web}
QT=$CACHE/qt-$VERSION_QT-wasm
JOBS=${JOBS:-2}
VERSION=3.0
PAQUET=kubrix-$VERSION-web
PORT=${KUBRIX_PORT:-8028}
TOOLCHAIN_EM=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake

# Debian's emscripten, as Qt and emscripten's own tools want it: emscripten's
# JavaScript tools find their modules through NODE_PATH; the system Python
# runs emcc three times faster than the wrapper's default search; Qt looks for
# an emsdk layout ($EMSDK/.emscripten naming $EMSDK/upstream/emscripten/emcc),
# made here of links to Debian's files.
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3 EMSDK=$CACHE/emsdk

. "$RACINE/scripts/installer.sh"  # dit, installer

PAQUETS_NOYAU=(emscripten nodejs cmake ninja-build)

emsdk() {
  [[ -x $EMSDK/upstream/emscripten/emcc ]] && return
  mkdir -p "$EMSDK/upstream/emscripten"
  echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" > "$EMSDK/.emscripten"
  local f
  for f in emcc em++ emar emranlib; do ln -sf "/usr/bin/$f" "$EMSDK/upstream/emscripten/$f"; done
  ln -sfn /usr/share/emscripten/cmake "$EMSDK/upstream/emscripten/cmake"
}

dependances() {
  installer "${PAQUETS_NOYAU[@]}" dpkg-dev qt6-base-dev-tools qt6-translations-l10n "$@"
  emsdk
}

# Debian's qtbase sources, fetched (and patched for Windows, which does not
# concern this build) by windows.sh; copied aside, so that our patches here
# touch only this copy.
BASE=$CACHE/src/qt6-base-$VERSION_QT+dfsg-wasm
sources_qt() {
  [[ -d $BASE ]] && return
  local windows=$CACHE/src/qt6-base-$VERSION_QT+dfsg
  [[ -d $windows ]] || bash "$RACINE/scripts/windows.sh" sources
  rm -rf "$BASE.en-cours"
  cp -a "$windows" "$BASE.en-cours"
  mv "$BASE.en-cours" "$BASE"
}

# Our patch, on the copy of Debian's tree. A nested loop (a modal window)
# waits for events only when none is posted; but a deferred deletion posted
# at the outer level is not delivered inside it, and the outer level never
# comes back in a browser: the loop then spins without waiting, and the page
# hangs at the first modal window. Only events it can deliver keep it awake.
patcher_wasm() {
  local f=$BASE/src/corelib/kernel/qeventdispatcher_wasm.cpp
  grep -q kubrix "$f" && return
  python3 - "$f" <<'PY'
import sys
p = sys.argv[1]
s = open(p).read()
s = s.replace('#include "qeventdispatcher_wasm_p.h"\n', '''#include "qeventdispatcher_wasm_p.h"
#include <QtCore/private/qthread_p.h> // kubrix

// kubrix: posted events other than deferred deletions.
static bool kubrixEvenementsALivrer()
{
    QThreadData *data = QThreadData::current();
    QMutexLocker locker(&data->postEventList.mutex);
    for (qsizetype i = data->postEventList.startOffset; i < data->postEventList.size(); ++i) {
        const QPostEvent &pe = data->postEventList.at(i);
        if (pe.event && pe.event->type() != QEvent::DeferredDelete)
            return true;
    }
    return false;
}
''', 1)
ancien = """    hasPendingEvents = qGlobalPostedEventsCount() > 0;

    if (!hasPendingEvents && (flags & QEventLoop::WaitForMoreEvents))"""
assert ancien in s, "qeventdispatcher_wasm.cpp: motif absent"
s = s.replace(ancien, """    hasPendingEvents = kubrixEvenementsALivrer();

    if (!hasPendingEvents && (flags & QEventLoop::WaitForMoreEvents))""", 1)
open(p, 'w').write(s)
PY
  grep -q kubrixEvenementsALivrer "$f" || { echo "correctif non appliqué: $f" >&2; exit 1; }
}

qt() {
  sources_qt
  patcher_wasm
  emsdk
  if [[ $(cat "$QT/kubrix-qt.fait" 2>/dev/null) != correctif-attente ]]; then
    dit "qtbase pour WebAssembly -> $QT"
    local b=$CACHE/build-qtbase-wasm
    mkdir -p "$b"
    # Only what the game uses: Core, Gui (its wasm platform) and Widgets.
    (cd "$b" && "$BASE/configure" -prefix "$QT" -release -static \
      -platform wasm-emscripten -qt-host-path /usr -device-option QT_EMSCRIPTEN_ASYNCIFY=1 \
      -nomake tests -nomake examples -no-feature-testlib -no-feature-sql -no-feature-network \
      -no-feature-concurrent -no-feature-xml -no-feature-printsupport -no-feature-dbus \
      -- -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_EM" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    cmake --build "$b" -j "$JOBS"
    cmake --install "$b"
    echo correctif-attente > "$QT/kubrix-qt.fait"
  fi
  dit "Qt pour WebAssembly prêt: $QT"
}

qt_fond() {
  mkdir -p "$CACHE"
  nice -n 5 setsid -f bash "$RACINE/scripts/web.sh" qt > "$CACHE/qt-wasm-build.log" 2>&1 < /dev/null
  dit "construction de Qt en arrière-plan: $CACHE/qt-wasm-build.log"
}

# Node runs what emscripten 3.1.6 writes only without its own fetch().
NODE=(node --no-experimental-fetch)

# The game's rules built with em++ and run under Node, without Qt: their
# tests, and the simulator's statistics against the recorded ones. A minute
# or two: CI runs it on every landing, so that a change that breaks the game
# in WebAssembly (32-bit sizes, no native threads) is refused at once. The
# simulator's threads are Web Workers; main() runs in one of them, so that
# joining them does not block Node's own thread.
noyau() {
  installer "${PAQUETS_NOYAU[@]}" googletest
  local b=$SORTIE/noyau
  dit "jeu sans fenêtre (kubrix-sim, tests_jeu) en WebAssembly"
  cmake -S "$RACINE" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_EM" \
    -DKUBRIX_UI=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-pthread \
    -DCMAKE_EXE_LINKER_FLAGS="-pthread -sPROXY_TO_PTHREAD -sEXIT_RUNTIME -sNODERAWFS -sALLOW_MEMORY_GROWTH" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(IFS=';'; echo "${NODE[*]}")" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
  cmake --build "$b" -j "$JOBS" --target kubrix-sim tests_jeu
  "${NODE[@]}" "$b/tests/tests_jeu.js" --gtest_brief=1
  local fils
  for fils in 1 3; do
    "${NODE[@]}" "$b/tools/kubrix-sim.js" --games 2000 --seed 1 --jobs $fils | tail -n +2 > "$b/sim-2000.txt"
    diff -u "$RACINE/tests/simulation/reference_2000_parties.txt" "$b/sim-2000.txt"
  done
  dit "sous Node: tests_jeu passe, kubrix-sim donne les statistiques de référence"
}

jeu() {
  [[ -f $QT/kubrix-qt.fait ]] || { echo "Qt pour WebAssembly absent: $0 qt" >&2; exit 1; }
  emsdk
  dit "KUBRIX pour WebAssembly"
  cmake -S "$RACINE" -B "$SORTIE/jeu" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN_EM" \
    -DCMAKE_BUILD_TYPE=Release -DKUBRIX_TESTS=OFF
  cmake --build "$SORTIE/jeu" -j "$JOBS" --target kubrix
}

# The page: ours (in French, in place of Qt's), Qt's loader, the program's
# JavaScript and WebAssembly, two of the program's icons.
paquet() {
  local b=$SORTIE/jeu/ui d=$SORTIE/$PAQUET t
  rm -rf "$d"; mkdir -p "$d"
  cp "$RACINE/packaging/web/index.html" "$b/kubrix.js" "$b/kubrix.wasm" "$b/qtloader.js" "$d/"
  for t in 32 128; do cp "$RACINE/assets/images/icones/kubrix-$t.png" "$d/"; done
  tar -C "$SORTIE" -czf "$SORTIE/$PAQUET.tar.gz" "$PAQUET"
  dit "page: $d, archive: $SORTIE/$PAQUET.tar.gz"
  tailles
}

# What a player downloads, raw and as a server would compress it.
tailles() {
  local d=$SORTIE/$PAQUET f
  for f in kubrix.wasm kubrix.js qtloader.js index.html; do
    printf '%-12s %9d octets, gzip -9 %9d' "$f" "$(stat -c %s "$d/$f")" "$(gzip -9c "$d/$f" | wc -c)"
    command -v brotli > /dev/null && printf ', brotli %9d' "$(brotli -c "$d/$f" | wc -c)"
    echo
  done
}

# A plain static server, on this machine only, in the foreground.
servir() {
  local d=$SORTIE/$PAQUET
  [[ -f $d/index.html ]] || { echo "page absente: $0 jeu paquet" >&2; exit 1; }
  echo "KUBRIX: http://127.0.0.1:$PORT/"
  exec python3 -m http.server --bind 127.0.0.1 --directory "$d" "$PORT"
}

# The page served here and played in headless Chromium (Debian's, driven by
# playwright-core from npm, installed in the cache; no browser is downloaded).
# Screenshots and measures in $SORTIE/verification.
verifier() {
  installer chromium python3
  local node=$CACHE/web-node o=$SORTIE/verification serveur
  if [[ ! -d $node/node_modules/playwright-core || ! -d $node/node_modules/pngjs ]]; then
    mkdir -p "$node"
    (cd "$node" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --no-audit --no-fund --no-save playwright-core pngjs)
  fi
  rm -rf "$o"; mkdir -p "$o"
  python3 -u -m http.server --bind 127.0.0.1 --directory "$SORTIE/$PAQUET" "$PORT" > "$o/serveur.log" 2>&1 &
  serveur=$!
  trap "kill $serveur 2>/dev/null" EXIT
  until grep -qs Serving "$o/serveur.log"; do kill -0 $serveur; sleep 0.1; done
  NODE_PATH=$node/node_modules node "$RACINE/tests/web/verifier_page.cjs" \
    "http://127.0.0.1:$PORT/" "$RACINE/assets" "$o"
  dit "la page joue dans Chromium; captures et mesures: $o"
}

case ${1:-tout} in
  dependances) dependances ;;
  qt) dependances; qt ;;
  qt-fond) dependances; qt_fond ;;
  noyau) noyau ;;
  jeu) jeu ;;
  paquet) paquet ;;
  servir) servir ;;
  verifier) verifier ;;
  tout) dependances; qt; jeu; paquet ;;
  *) sed -n '2,21p' "$0" >&2; exit 2 ;;
esac
