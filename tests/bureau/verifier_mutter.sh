#!/usr/bin/env bash
# The game under GNOME's window manager (mutter in X11 mode, in its own Xvfb),
# which lets the player restore a window that has no maximise button: once
# restored by Super+Down the window must still hold every control and take
# a click on "Lancer de dés", and the pause window must stay at one place,
# centred, through each roll.
# Usage: verifier_mutter.sh PROGRAMME. Exits 77 (skipped) when mutter cannot run.
set -u
programme=$1
for outil in Xvfb mutter xdotool xprop xwininfo; do
  command -v "$outil" >/dev/null || { echo "absent : $outil"; exit 77; }
done
. "$(dirname "$0")/../commun/xvfb_prive.sh"
export XDG_RUNTIME_DIR=$travail/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS  # never the caller's session
mutter --replace --x11 --sm-disable >"$travail/mutter.log" 2>&1 &
pids+=($!)
for _ in $(seq 150); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 "${pids[-1]}" 2>/dev/null || break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
  || { echo "mutter ne démarre pas"; tail -5 "$travail/mutter.log"; exit 77; }
QT_QPA_PLATFORM=xcb "$programme" >"$travail/jeu.log" 2>&1 &
pids+=($!)

echecs=0
echec() { echo "ÉCHEC : $*"; echecs=$((echecs + 1)); }
# Client geometry "x y w h état" of a window.
geometrie() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                           /^ *Width/{w=$NF} /^ *Height/{h=$NF} /Map State/{e=$NF} END{print x, y, w, h, e}'
}
attendre() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
trouver() { id=$(xdotool search --onlyvisible --name "$1" | head -n1); [ -n "$id" ]; }
agrandie() { xprop -id "$principale" _NET_WM_STATE | grep -q MAXIMIZED_VERT; }
restauree() { ! agrandie; }
au_repos() {  # the same geometry 0.3 s apart
  local avant
  avant=$(geometrie "$principale"); sleep 0.3; [ "$(geometrie "$principale")" = "$avant" ]
}

attendre trouver '^KUBRIX$' || { echo "pas de fenêtre KUBRIX"; tail "$travail/jeu.log"; exit 1; }
principale=$id
attendre agrandie || echec "la fenêtre ne s'ouvre pas agrandie"

# Restored as a player would; it must fill the work area again, at rest.
xdotool windowactivate --sync "$principale" key super+Down
attendre restauree || echec "Super+Bas ne restaure pas la fenêtre"
attendre au_repos
read -r x y w h _ < <(geometrie "$principale")
echo "restaurée : $x,$y ${w}x$h"
# The controls span 609 x 436 below a menu bar of at least 19 px, status bar included.
[ "$w" -ge 609 ] && [ "$h" -ge $((19 + 436)) ] || echec "les commandes ne tiennent pas dans la fenêtre (${w}x$h)"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] || echec "la fenêtre sort de l'écran"

# "Nouvelle partie" opened and closed starts a game; then two rolls. The
# pause window is one X window: every place it takes while mapped is noted,
# until it has stayed unmapped for half a second (the roll is over).
xdotool key alt+n Escape
sleep 0.5
for lancer in 1 2; do
  xdotool mousemove $((x + 80)) $((y + 19 + 400)) click 1  # "Lancer de dés", below the menu bar
  if ! attendre trouver '^ $'; then
    echec "lancer $lancer : pas de fenêtre de pause (bouton hors d'atteinte ?)"
    break
  fi
  places=$(cachee=0
           for _ in $(seq 200); do
             read -r px py pw ph etat < <(geometrie "$id")
             if [ "$etat" = IsViewable ]; then
               cachee=0
               echo "$px $py $pw $ph $(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
             else
               cachee=$((cachee + 1)); [ $cachee -ge 10 ] && break
             fi
             sleep 0.05
           done | sort -u)
  echo "lancer $lancer : $(echo "$places" | tr '\n' ';')"
  [ "$(echo "$places" | wc -l)" -eq 1 ] || echec "lancer $lancer : la fenêtre de pause change de place"
  read -r px py pw ph g d haut bas <<<"$(echo "$places" | head -n1)"
  cx2=$((2 * px - g + pw + d)) cy2=$((2 * py - haut + ph + bas))  # twice the frame's centre
  [ $((cx2 - 1024)) -ge -2 ] && [ $((cx2 - 1024)) -le 2 ] && [ $((cy2 - 768)) -ge -2 ] && [ $((cy2 - 768)) -le 2 ] \
    || echec "lancer $lancer : la fenêtre de pause n'est pas centrée (centre*2 $cx2,$cy2)"
done
[ $echecs -eq 0 ] || { echo "--- sortie du jeu"; tail -20 "$travail/jeu.log"; }
[ $echecs -eq 0 ]
