# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that need their own X server: a work folder, the list
# of processes to stop at exit, and an Xvfb on a free display (chosen by the
# server itself) whose socket is up before any client tries it.
. "$(dirname "${BASH_SOURCE[0]}")/travail_prive.sh"

Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$travail/ecran" 2>"$travail/xvfb.log" &
pids+=($!)
for _ in $(seq 300); do [ -s "$travail/ecran" ] && break; sleep 0.1; done
[ -s "$travail/ecran" ] || { echo "Xvfb ne démarre pas"; cat "$travail/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$travail/ecran")"
for _ in $(seq 300); do [ -S "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
