#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside a private session bus: X server, accessibility bus, the game, then
# the reader. Everything started here is stopped here.
set -u
programme=$1
ici=$(cd "$(dirname "$0")" && pwd)
. "$(dirname "$0")/../commun/xvfb_prive.sh"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)

# Qt speaks AT-SPI as soon as a reader asks; this makes it speak from the start.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
"$programme" >"$travail/jeu.log" 2>&1 &
pids+=($!)

/usr/bin/python3 "$ici/lire_atspi.py"
resultat=$?
[ $resultat -ne 0 ] && { echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"; }
exit $resultat
