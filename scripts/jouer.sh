#!/usr/bin/env bash
# Builds KUBRIX and starts it. Without a display, serves it over VNC on
# 127.0.0.1 only: Qt's own VNC platform listens on every interface and has
# no address option in Qt 6.4, so the game runs in TigerVNC's X server
# (Xvnc -localhost) with openbox, which maximises the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh jeu

dossier="${KUBRIX_BUILD:-build}"
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUBRIX_TESTS=OFF
cmake --build "$dossier" --target kubrix

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$dossier"/ui/kubrix
fi

bash scripts/dependances.sh vnc
port_libre() { ! ss -Hltn "sport = :$1" | grep -q .; }
port="${KUBRIX_PORT_VNC:-5901}"
until port_libre "$port"; do port=$((port + 1)); done
ecran=50
while [ -e "/tmp/.X11-unix/X$ecran" ] || [ -e "/tmp/.X$ecran-lock" ]; do ecran=$((ecran + 1)); done

echo "Pas d'écran ici : KUBRIX est servi en VNC sur 127.0.0.1:$port, ouvrez-le avec un client VNC (par exemple « vncviewer 127.0.0.1::$port », à travers un tunnel SSH depuis une autre machine)."
Xvnc ":$ecran" -localhost yes -rfbport "$port" -SecurityTypes None -geometry 1024x768 -depth 24 \
  -nolisten tcp >/tmp/kubrix-xvnc.log 2>&1 &
xvnc=$!
trap 'kill "$wm" "$xvnc" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$ecran" ] && break; sleep 0.1; done
DISPLAY=":$ecran" openbox --sm-disable >/dev/null 2>&1 &
wm=$!
DISPLAY=":$ecran" "$dossier"/ui/kubrix
