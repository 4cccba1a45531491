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

# A home of its own: the null sound device (speech-dispatcher blocks for ever
# on a missing card), speech-dispatcher in French through espeak-ng, Orca's
# settings, and the French locale built here without touching the system.
export HOME=$travail/maison XDG_RUNTIME_DIR=$travail/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
DefaultModule espeak-ng
DefaultLanguage "fr"
CONF
mkdir -p "$travail/locale"
if localedef -i fr_FR -f UTF-8 "$travail/locale/fr_FR.UTF-8" 2>/dev/null; then
  export LOCPATH=$travail/locale LANG=fr_FR.UTF-8 LANGUAGE=fr
fi

openbox --sm-disable --config-file /dev/null >"$travail/openbox.log" 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0 GTK_MODULES=
"$programme" >"$travail/jeu.log" 2>&1 &
pids+=($!)

journal=$travail/orca.log
/usr/bin/python3 "$ici/orca_ligne.py" --debug-file="$journal" -u "$HOME/orca" >"$travail/orca.sortie" 2>&1 &
pids+=($!)

/usr/bin/python3 "$ici/ecouter_orca.py" "$journal" "$@"
resultat=$?
if [ $resultat -ne 0 ]; then
  echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"
  echo "--- sortie d'Orca"; tail -20 "$travail/orca.sortie"
fi
[ -n "${KUBRIX_JOURNAL_ORCA:-}" ] && cp "$journal" "$KUBRIX_JOURNAL_ORCA"
# speech-dispatcher was started by Orca and left on its own: stopped by its PID.
[ -s "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" ] &&
  kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid")" 2>/dev/null
exit $resultat
