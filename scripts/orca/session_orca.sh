#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside a private session bus: X server, openbox, accessibility bus, Orca
# speaking through speech-dispatcher into an ALSA null device, and the game;
# then the player (ecouter_orca.py), keys in and speech out.
set -u
programme=$1
shift
ici=$(cd "$(dirname "$0")" && pwd)
. "$ici/../../tests/commun/xvfb_prive.sh"

# A home of its own, and speech-dispatcher with its default configuration
# (none of our own) playing into a null sink of a private PipeWire, which
# plays in real time: what a new message cuts short is cut as for a player.
# Its log, at the level that shows each message sent to espeak-ng and whether
# espeak-ng ended it (702 END) or was stopped (703 STOP), says what was heard.
export HOME=$travail/maison XDG_RUNTIME_DIR=$travail/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$travail/paroles"
chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$travail/locale"
if localedef -i fr_FR -f UTF-8 "$travail/locale/fr_FR.UTF-8" 2>/dev/null; then
  export LOCPATH=$travail/locale LANG=fr_FR.UTF-8 LANGUAGE=fr
fi
pipewire >"$travail/pipewire.log" 2>&1 &
pids+=($!)
wireplumber >"$travail/wireplumber.log" 2>&1 &
pids+=($!)
pipewire-pulse >"$travail/pipewire-pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do  # once the server is up, and then its new sink
  pactl list short sinks 2>/dev/null | grep -q silence ||
    pactl load-module module-null-sink sink_name=silence >/dev/null 2>&1
  pactl set-default-sink silence 2>/dev/null && break; sleep 0.1
done
[ "$(pactl get-default-sink)" = silence ] || { echo "pas de puits nul PipeWire"; exit 1; }
paroles=${KUBRIX_JOURNAL_PAROLE:-$travail/paroles}  # kept where asked, also after a timeout
mkdir -p "$paroles" && rm -f "$paroles/speech-dispatcher.log"
speech-dispatcher -s -t 0 -l 5 -L "$paroles" >"$travail/speechd.sortie" 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break; sleep 0.1; done

openbox --sm-disable --config-file /dev/null >"$travail/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0 GTK_MODULES=
"$programme" >"$travail/jeu.log" 2>&1 &
pids+=($!)

journal=${KUBRIX_JOURNAL_ORCA:-$travail/orca.log}
rm -f "$journal"  # a journal left from a run before
/usr/bin/python3 "$ici/orca_ligne.py" --debug-file="$journal" -u "$HOME/orca" >"$travail/orca.sortie" 2>&1 &
pids+=($!)

/usr/bin/python3 "$ici/ecouter_orca.py" "$journal" "$paroles/speech-dispatcher.log" "$@"
resultat=$?
if [ $resultat -ne 0 ]; then
  echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"
  echo "--- sortie d'Orca"; tail -20 "$travail/orca.sortie"
fi
exit $resultat
