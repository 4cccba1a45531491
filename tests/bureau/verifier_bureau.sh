#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game under a real window manager (openbox, mutter or kwin, in its own
# Xvfb): the main window fills the screen, comes back whole after the player's
# gestures, and maximises again; the dialogs, a message box, the help and the
# pause window open centred, frame included; the pause window stays at one place
# through a roll, and minimising it leaves the game maximised, keys acting.
# Usage: verifier_bureau.sh PROGRAMME [openbox|mutter|kwin]. Exits 77 (skipped)
# when a tool is missing or the window manager does not start.
set -u
programme=$1 wm=${2:-openbox}
for outil in Xvfb "${wm/kwin/kwin_x11}" xdotool xprop xwininfo timeout; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
. "$(dirname "$0")/../commun/xvfb_prive.sh"
unset DBUS_SESSION_BUS_ADDRESS  # never the caller's session
case $wm in
  openbox) openbox --sm-disable --config-file /dev/null ;;
  kwin) XDG_RUNTIME_DIR=$travail kwin_x11 --replace ;;
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
# Frame geometry "x y w h" of a window, and the height of its title bar.
cadre() {
  local x y w h g d haut bas
  read -r x y w h _ < <(geometrie "$1")
  read -r g d haut bas < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo $((x - g)) $((y - haut)) $((w + g + d)) $((h + haut + bas)) "$haut"
}
# Checks that window $2 (named $1) has its frame centred on the screen, within
# 1 px, and (unless $3 says "redimensionnable") cannot be maximised or resized.
centree() {
  local x y w h
  read -r x y w h _ < <(cadre "$2")
  local cx2=$(( 2 * x + w )) cy2=$(( 2 * y + h ))
  echo "$1 : cadre $x,$y ${w}x$h, centre*2 $cx2,$cy2"
  [ $(( cx2 - 1024 )) -ge -2 ] && [ $(( cx2 - 1024 )) -le 2 ] && [ $(( cy2 - 768 )) -ge -2 ] && [ $(( cy2 - 768 )) -le 2 ] \
    || echec "$1 n'est pas centrée"
  [ "${3:-}" = redimensionnable ] && return
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
# All of the frame on the screen, and inside it every control and the status bar.
entiere() {
  local X Y W H w h
  read -r X Y W H _ < <(cadre "$principale"); read -r _ _ w h _ < <(geometrie "$principale")
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + W)) -le 1024 ] && [ $((Y + H)) -le 768 ] && [ "$w" -ge 609 ] && [ "$h" -ge 454 ]
}
# Gestures on the title bar: a double-click (maximise or restore), a drag to the far corner.
titre() { local X Y W haut; read -r X Y W _ haut < <(cadre "$principale"); echo $((X + W / 2)) $((Y + haut / 2)); }
double_clic() { timeout 30 xdotool windowactivate --sync "$principale" mousemove --sync $(titre) click --repeat 2 --delay 80 1; }
glisser_loin() { xdotool mousemove $(titre) mousedown 1 sleep 0.2 mousemove_relative 30 30 sleep 0.2 \
                   mousemove 900 700 sleep 0.2 mousemove 1023 767 sleep 0.2 mouseup 1; }
agrandie() { xprop -id "$principale" _NET_WM_STATE | grep -q MAXIMIZED_HORZ && remplit; }
restauree() { ! xprop -id "$principale" _NET_WM_STATE | grep -q MAXIMIZED && entiere; }
agrandie_ou_entiere() { agrandie || entiere; }
# GNOME restores with Super+Down (mutter misses a double-click right after mapping).
restaurer() { [ "$wm" != mutter ] && double_clic || timeout 30 xdotool windowactivate --sync "$principale" key super+Down; }
# essayer WHAT STATE GESTURE: the gesture, then the state it must lead to.
essayer() { "$3"; attendre "$2" || echec "$1"; echo "$1 : $(cadre "$principale")"; }
essayer "restaurée, entière" restauree restaurer
essayer "glissée loin, entière" entiere glisser_loin
essayer "agrandie de nouveau" agrandie double_clic
essayer "glissée depuis l'état agrandi, entière" agrandie_ou_entiere glisser_loin
agrandie || essayer "agrandie de nouveau" agrandie double_clic
read -r x y w h _ < <(geometrie "$principale")

# "1 Joueur": the name dialog, opened for the first time.
timeout 30 xdotool windowactivate --sync "$principale" key alt+n Return
if nom=$(fenetre "Saisie du nom des joueurs"); then
  attendre cadree "$nom"
  centree "Saisie du nom des joueurs" "$nom"
  xdotool key Return  # no name: the warning, a message box
  if boite=$(fenetre Avertissement) && attendre cadree "$boite"; then
    centree Avertissement "$boite"; xdotool key Return; attendre partie Avertissement
  else echec "l'avertissement ne s'ouvre pas"; fi
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
  agrandie || echec "après la réduction de la pause, le jeu n'est plus agrandi"
  xdotool key alt+a  # no click, no activation: the game must have the keyboard
  attendre sh -c '[ "$(xdotool search --onlyvisible --class kubrix 2>/dev/null | wc -l)" -ge 2 ]' \
    || echec "après la réduction de la pause, le clavier ne répond plus"
  xdotool key Escape
else
  echec "la fenêtre de pause ne s'ouvre pas"
fi
timeout 30 xdotool windowactivate --sync "$principale" key F1
if aide=$(fenetre "Aide de KUBRIX") && attendre cadree "$aide"; then
  centree "Aide de KUBRIX" "$aide" redimensionnable
else echec "l'aide ne s'ouvre pas"; fi
[ $echecs -eq 0 ] || { echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"; }
[ $echecs -eq 0 ]
