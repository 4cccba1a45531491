#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's sound output on a real sound server, in a private runtime
# folder with its own D-Bus, playing into a null sink whose monitor
# SON_REEL records and judges. Usage: verifier_son_reel.sh pipewire|pulseaudio
# SON_REEL. Exits 77 (skipped) where the server is missing or cannot start.
set -u
serveur=$1 programme=$2
case "$serveur" in
  pipewire) outils="dbus-daemon pipewire wireplumber pipewire-pulse" ;;
  pulseaudio) outils="pulseaudio" ;;
esac
for outil in $outils pactl parec; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
. "$(dirname "$0")/../commun/travail_prive.sh"
export XDG_RUNTIME_DIR=$travail HOME=$travail XDG_CONFIG_HOME=$travail/config XDG_STATE_HOME=$travail/etat
export DBUS_SESSION_BUS_ADDRESS=unix:path=$travail/bus PULSE_SERVER=unix:$travail/pulse/native
# Starts "$@" in the background, its log in the work folder, then waits for
# the socket $prise it opens; skips when it never comes.
lancer() {
  "$@" >"$travail/$1.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$prise" ] && return 0; sleep 0.1; done
  echo "$1 ne démarre pas"; cat "$travail/$1.log"; exit 77
}
if [ "$serveur" = pipewire ]; then
  prise=$travail/bus lancer dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS"
  prise=$travail/pipewire-0 lancer pipewire
  wireplumber >"$travail/wireplumber.log" 2>&1 &
  pids+=($!)
  prise=$travail/pulse/native lancer pipewire-pulse
else
  prise=$travail/pulse/native lancer pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    -L module-native-protocol-unix
fi
pactl load-module module-null-sink sink_name=kubrix_nul >/dev/null || exit 1
# The session manager takes it as the default once it runs.
for _ in $(seq 100); do
  pactl set-default-sink kubrix_nul 2>/dev/null && [ "$(pactl get-default-sink)" = kubrix_nul ] && break
  sleep 0.1
done
pactl info | grep -E '^(Server Name|Default Sink)'
mkfifo "$travail/moniteur"
parec --device=kubrix_nul.monitor --raw --format=float32le --rate=48000 --channels=2 --latency-msec=10 \
  >"$travail/moniteur" &
pids+=($!)
KUBRIX_MONITEUR=$travail/moniteur "$programme"
