# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that start programs of their own: a work folder, and
# the list of processes to stop, and the folder to remove, at exit.
travail=$(mktemp -d)
pids=()
finir() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$travail"
}
trap finir EXIT
