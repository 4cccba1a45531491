#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the game by keys under the real screen reader Orca and checks what it
# says. Usage: verifier_orca.sh PROGRAMME [--partie] [--transcription FICHIER].
# Starts its own X server, buses, speech-dispatcher and Orca, so it needs no
# display and no sound card; exits 77 (skipped) when a tool is missing.
set -u
programme=$1
ici=$(cd "$(dirname "$0")" && pwd)
for outil in Xvfb openbox xdotool dbus-run-session timeout localedef orca speech-dispatcher \
  pipewire wireplumber pipewire-pulse pactl xprop; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "absent : at-spi2-core"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "absent : python3-pyatspi"; exit 77; }
duree=240
for a in "$@"; do [ "$a" = --partie ] && duree=2400; done
exec timeout --kill-after=5 "${KUBRIX_DUREE_ORCA:-$duree}" dbus-run-session -- bash "$ici/session_orca.sh" "$@"
