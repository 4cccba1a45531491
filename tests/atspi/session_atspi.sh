#!/usr/bin/env bash
# Inside a private session bus: X server, accessibility bus, the game, then
# the reader. Everything started here is stopped here.
set -u
programme=$1
ici=$(cd "$(dirname "$0")" && pwd)
travail=$(mktemp -d)
pids=()
finir() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$travail"
}
trap finir EXIT

# A free display, chosen by the X server itself.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$travail/ecran" 2>"$travail/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$travail/ecran" ] && break; sleep 0.1; done
[ -s "$travail/ecran" ] || { echo "Xvfb ne démarre pas"; cat "$travail/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$travail/ecran")"
# Its socket too, before any client tries it.
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done

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
