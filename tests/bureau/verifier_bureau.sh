#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game under a real window manager (openbox or mutter, in its own Xvfb): the
# main window fills the screen, restored too (mutter lets the player do it), and
# the name dialog, the about box and the pause window open centred, frame
# included, the first time, without maximise or resize; the pause window stays
# at one place through a roll, and minimising it does not take the game away.
# Usage: verifier_bureau.sh PROGRAMME [openbox|mutter]. Exits 77 (skipped)
# when a tool is missing or the window manager does not start.
set -u
programme=$1 wm=${2:-openbox}
for outil in Xvfb "$wm" xdotool xprop xwininfo timeout; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
. "$(dirname "$0")/../commun/xvfb_prive.sh"
unset DBUS_SESSION_BUS_ADDRESS  # never the caller's session
case $wm in
  openbox) openbox --sm-disable --config-file /dev/null ;;
  *) XDG_RUNTIME_DIR=$travail mutter --replace --x11 --sm-disable ;;
esac >"$travail/wm.log" 2>&1 &
pids+=($!)
# Waits (30 s at most) until the command given succeeds.
attendre() {
  local fin=$((SECONDS + 30))
  until "$@"; do [ $SECONDS -ge $fin ] && return 1; sleep 0.1; done
}
# The window manager is up once it has named its check window on the root.
attendre sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>&1 | grep -q "window id"' \
  || { echo "$wm ne démarre pas"; tail -3 "$travail/wm.log"; exit 77; }
QT_QPA_PLATFORM=xcb "$programme" >"$travail/jeu.log" 2>&1 &
pids+=($!)

echecs=0
echec() { echo "ÉCHEC : $*"; echecs=$((echecs + 1)); }

# The id of the visible window named $1 (the game also has hidden ones).
fenetre() {
  local fin=$((SECONDS + 30))
  until [ $SECONDS -ge $fin ]; do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do echo "$id"; return 0; done
    sleep 0.1
  done
  return 1
}
# Client geometry "x y w h" of a window.
geometrie() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                           /^ *Width/{w=$NF} /^ *Height/{h=$NF} /Map State/{e=$NF} END{print x, y, w, h, e}'
}
# Checks that window $2 (named $1) has its frame centred on the screen, within 1 px.
centree() {
  local x y w h g d haut bas e
  read -r x y w h _ < <(geometrie "$2")
  e=$(xprop -id "$2" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r g d haut bas <<<"$e"
  local cx2=$(( 2 * (x - g) + (w + g + d) )) cy2=$(( 2 * (y - haut) + (h + haut + bas) ))
  echo "$1 : cadre $((x - g)),$((y - haut)) $((w + g + d))x$((h + haut + bas)), centre*2 $cx2,$cy2"
  [ $(( cx2 - 1024 )) -ge -2 ] && [ $(( cx2 - 1024 )) -le 2 ] && [ $(( cy2 - 768 )) -ge -2 ] && [ $(( cy2 - 768 )) -le 2 ] \
    || echec "$1 n'est pas centrée"
  local actions
  actions=$(xprop -id "$2" _NET_WM_ALLOWED_ACTIONS)
  case "$actions" in *MAXIMIZE*|*ACTION_RESIZE*) echec "$1 peut s'agrandir : $actions" ;; esac
}

# Framed by the window manager and shown: only then is its place final.
cadree() {
  xprop -id "$1" _NET_FRAME_EXTENTS | grep -q = && xwininfo -id "$1" | grep -q IsViewable
}
# The visible window named $1 is gone.
partie() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

principale=$(fenetre KUBRIX) || { echo "pas de fenêtre KUBRIX"; tail "$travail/jeu.log"; exit 1; }
remplit() {
  read -r x y w h _ < <(geometrie "$principale")
  [ "$x" -eq 0 ] && [ "$w" -eq 1024 ] && [ $((y + h)) -eq 768 ]
}
attendre remplit
xprop -id "$principale" _NET_WM_STATE | grep -q MAXIMIZED_HORZ || echec "fenêtre principale pas agrandie"
for etat in agrandie restaurée; do
  read -r x y w h _ < <(geometrie "$principale")
  echo "fenêtre principale $etat : $x,$y ${w}x$h"
  [ "$x" -eq 0 ] && [ "$w" -eq 1024 ] && [ $((y + h)) -eq 768 ] || echec "la fenêtre principale $etat ne remplit pas l'écran"
  [ "$wm" = mutter ] || break
  timeout 30 xdotool windowactivate --sync "$principale" key super+Down  # as a player would
  attendre sh -c "! xprop -id $principale _NET_WM_STATE | grep -q MAXIMIZED"
  attendre remplit
done

# "1 Joueur": the name dialog, opened for the first time.
timeout 30 xdotool windowactivate --sync "$principale" key alt+n Return
if nom=$(fenetre "Saisie du nom des joueurs"); then
  attendre cadree "$nom"
  centree "Saisie du nom des joueurs" "$nom"
  xdotool key Escape
  attendre partie "Saisie du nom des joueurs"
else
  echec "le dialogue des noms ne s'ouvre pas"
fi
# "A Propos", last entry of "Aide".
timeout 30 xdotool windowactivate --sync "$principale" key alt+a Up Return
if apropos=$(fenetre "A propos"); then
  attendre cadree "$apropos"
  centree "A propos" "$apropos"
  xdotool key Escape
  attendre partie "A propos"
else
  echec "la boîte A propos ne s'ouvre pas"
fi
# A roll: the pause window, shown for the first time ("Les dés roulent", title " ").
# It exists, hidden, from the start, known by its fixed size: looked up now,
# as a search through every window while it comes and goes every 500 ms can
# miss it on a loaded machine.
pause=""
trouver_pause() {  # a search may come back empty while a window manager unmaps a window
  for id in $(xdotool search --class kubrix 2>/dev/null); do
    xprop -id "$id" WM_NORMAL_HINTS 2>/dev/null | grep -q "minimum size: 222 by 65" && { pause=$id; return 0; }
  done
  return 1
}
attendre trouver_pause
# The game is reset, and the roll button enabled, when the menu opens.
timeout 30 xdotool windowactivate --sync "$principale" key alt+n
attendre sh -c '[ "$(xdotool search --onlyvisible --class kubrix 2>/dev/null | wc -l)" -ge 2 ]' \
  || echec "le menu « Nouvelle partie » ne s'ouvre pas"
xdotool key Escape
attendre sh -c '[ "$(xdotool search --onlyvisible --class kubrix 2>/dev/null | wc -l)" -le 1 ]'
xdotool mousemove $((x + 80)) $((y + 19 + 400)) click 1  # "Lancer de dés 1", below the menu bar
if [ -n "$pause" ] && attendre cadree "$pause"; then
  centree "Les dés roulent" "$pause"
  # Its places while mapped, until unmapped for half a second: the roll is over.
  suivre() { local c=0; for _ in $(seq 200); do g=$(geometrie "$pause")
    case $g in *IsViewable) c=0; echo "$g" ;; *) c=$((c + 1)); [ $c -ge 10 ] && return ;; esac; sleep 0.05; done; }
  [ "$(suivre | sort -u | wc -l)" -le 1 ] || echec "la fenêtre de pause change de place pendant le lancer"
  # Minimised (openbox, like kwin, takes the main window with it): the game must come back.
  xdotool mousemove $((x + 80)) $((y + 19 + 400)) click 1
  attendre cadree "$pause" && xdotool windowminimize "$pause" && suivre >/dev/null
  case $(geometrie "$principale") in *IsViewable) ;; *) echec "réduire la fenêtre de pause a emporté le jeu" ;; esac
else
  echec "la fenêtre de pause ne s'ouvre pas"
fi
[ $echecs -eq 0 ] || { echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"; }
[ $echecs -eq 0 ]
