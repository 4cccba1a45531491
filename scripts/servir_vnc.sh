#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program in its own X server served over VNC, for the user who
# started it alone:
#   - VNC on 127.0.0.1 only (Xvnc -localhost), behind a one-time password,
#     drawn at random, printed once, kept in a file of mode 0600;
#   - the X server itself behind a cookie (-auth), so that another local
#     account cannot reach the display through its socket either.
# Usage: servir_vnc.sh PROGRAMME [ARGUMENTS...]   (KUBRIX_PORT_VNC: first port tried)
# Qt's own VNC platform listens on every interface with no password, hence TigerVNC.
set -euo pipefail

umask_programme=$(umask)
umask 077
secrets=$(mktemp -d /tmp/kubrix-vnc.XXXXXX)
# VNC passwords count 8 characters; 8 drawn among 62 are about 47 bits.
mot=$(LC_ALL=C tr -dc 'A-Za-z0-9' </dev/urandom | head -c 8 || true)
printf '%s\n' "$mot" | vncpasswd -f >"$secrets/passwd"
export XAUTHORITY="$secrets/Xauthority"
: >"$XAUTHORITY"

wm=""
xvnc=""
trap 'kill $wm $xvnc 2>/dev/null || true; rm -rf "$secrets"' EXIT
# A display or a port taken at the same moment by someone else: try the next.
port_libre() { ! ss -Hltn "sport = :$1" | grep -q .; }
port="${KUBRIX_PORT_VNC:-5901}"
ecran=50
for essai in 1 2 3 4 5; do
  until port_libre "$port"; do port=$((port + 1)); done
  while [ -e "/tmp/.X11-unix/X$ecran" ] || [ -e "/tmp/.X$ecran-lock" ]; do ecran=$((ecran + 1)); done
  xauth -q add ":$ecran" . "$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
  Xvnc ":$ecran" -localhost yes -rfbport "$port" -SecurityTypes VncAuth -PasswordFile "$secrets/passwd" \
    -auth "$XAUTHORITY" -geometry 1024x768 -depth 24 -nolisten tcp >"$secrets/xvnc.log" 2>&1 &
  xvnc=$!
  for _ in $(seq 50); do
    kill -0 "$xvnc" 2>/dev/null || break
    [ -e "/tmp/.X11-unix/X$ecran" ] && ! port_libre "$port" && break
    sleep 0.1
  done
  kill -0 "$xvnc" 2>/dev/null && break
  [ "$essai" = 5 ] && { echo "Xvnc ne démarre pas :" >&2; cat "$secrets/xvnc.log" >&2; exit 1; }
  port=$((port + 1)); ecran=$((ecran + 1))
done

echo "Pas d'écran ici : KUBRIX est servi en VNC sur 127.0.0.1:$port (écran :$ecran), ouvrez-le avec un client VNC (par exemple « vncviewer 127.0.0.1::$port », à travers un tunnel SSH depuis une autre machine)."
echo "Mot de passe VNC, pour cette partie seulement : $mot"
if command -v openbox >/dev/null; then  # maximises the window
  DISPLAY=":$ecran" openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
fi
umask "$umask_programme"
DISPLAY=":$ecran" "$@"
