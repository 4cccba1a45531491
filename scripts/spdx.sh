#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every source file of the repository
# that lacks it (after the #! line of a script), and touches nothing else:
# run it again and it changes nothing.
#   spdx.sh             adds the missing lines
#   spdx.sh --verifier  only lists the files without one; fails if there are
set -euo pipefail
cd "$(dirname "$0")/.."
LICENCE="SPDX-License-Identifier: GPL-3.0-or-later"
verifier=0
[ "${1:-}" = --verifier ] && verifier=1

# The comment mark of a source file, empty for any other file.
marque() {
  case "$1" in
    *.cpp|*.h|*.c) echo "//" ;;
    *.sh|*.py|*/CMakeLists.txt|CMakeLists.txt|*.cmake|.ci/run|debian/rules) echo "#" ;;
    *.nsi) echo ";" ;;
  esac
}

git rev-parse --git-dir >/dev/null 2>&1 || { echo "pas un dépôt git : fichiers inconnus"; exit 77; }
manquants=0
while IFS= read -r -d '' f; do
  m=$(marque "$f")
  [ -n "$m" ] && [ -f "$f" ] || continue
  head -n 3 "$f" | grep -q "$LICENCE" && continue
  manquants=$((manquants + 1))
  if [ $verifier -eq 1 ]; then
    echo "sans licence : $f"
  elif head -c 2 "$f" | grep -q '^#!'; then
    sed -i "1a\\$m $LICENCE" "$f"
  elif [ -s "$f" ]; then
    sed -i "1i\\$m $LICENCE" "$f"
  else
    echo "$m $LICENCE" >"$f"
  fi
done < <(git ls-files -z --cached --others --exclude-standard)

if [ $verifier -eq 1 ]; then
  [ $manquants -eq 0 ] && echo "tous les fichiers sources portent leur licence"
  [ $manquants -eq 0 ]
else
  echo "licence ajoutée à $manquants fichier(s)"
fi
