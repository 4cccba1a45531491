#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kubrix-sim from outside. Usage: verifier_sim.sh CHECK SIMULATEUR [REFERENCE]
#   reference  the statistics of 2 000 games (seed 1) with 1 and 3 threads are the recorded ones
#   trace      the trace is the same, byte for byte, with 1 and 3 threads
#   memoire    the maximum RSS does not grow with the number of games (GNU time; 77 without it)
#   erreurs    each wrong option: exit 2, one line on stderr, nothing written
set -uo pipefail
verification="$1" sim="$2"
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

# The statistics without the first line (the time the run took).
statistiques() { "$sim" "$@" | tail -n +2; }

case "$verification" in
reference)
  for fils in 1 3; do
    statistiques --games 2000 --seed 1 --jobs "$fils" >"$dossier/stat" || echec "le simulateur a échoué"
    diff -u "$3" "$dossier/stat" || echec "statistiques changées avec --jobs $fils"
  done ;;
trace)
  for fils in 1 3; do
    "$sim" --games 200 --seed 5 --jobs "$fils" --trace "$dossier/trace$fils" >/dev/null || echec "--jobs $fils"
  done
  [ -s "$dossier/trace1" ] || echec "trace vide"
  cmp "$dossier/trace1" "$dossier/trace3" || echec "la trace dépend du nombre de fils" ;;
memoire)
  [ -x /usr/bin/time ] || exit 77
  rss() { /usr/bin/time -f %M -o "$dossier/rss" "$sim" --games "$1" --seed 1 --jobs 2 --trace /dev/null >/dev/null &&
          cat "$dossier/rss"; }
  petit=$(rss 1000) && grand=$(rss 20000) || echec "le simulateur a échoué"
  echo "RSS maximale : $petit Kio pour 1 000 parties, $grand Kio pour 20 000"
  [ "$grand" -le $((petit + 2048)) ] || echec "la mémoire croît avec le nombre de parties"
  [ "$grand" -le 30720 ] || echec "plus de 30 Mo" ;;
erreurs)
  touch "$dossier/fichier"
  cas=("--games -3" "--jobs 0" "--games 12x" "--seed" "--gmaes 5"
       "--games 5 --trace $dossier/fichier/trace" "--games 5 --trace $dossier")
  for arguments in "${cas[@]}"; do
    # shellcheck disable=SC2086
    "$sim" $arguments >"$dossier/sortie" 2>"$dossier/erreur"
    code=$?
    [ "$code" -eq 2 ] || echec "$arguments : code $code au lieu de 2"
    [ "$(wc -l <"$dossier/erreur")" -eq 1 ] || echec "$arguments : pas une ligne d'erreur"
    grep -q '^kubrix-sim : ' "$dossier/erreur" || echec "$arguments : $(cat "$dossier/erreur")"
    [ ! -s "$dossier/sortie" ] || echec "$arguments : des statistiques malgré l'erreur"
    [ "$(ls "$dossier")" = "$(printf 'erreur\nfichier\nsortie')" ] || echec "$arguments : fichier laissé"
    echo "$arguments -> $(cat "$dossier/erreur")"
  done ;;
*) echo "usage: $0 reference|trace|memoire|erreurs SIMULATEUR [REFERENCE]" >&2; exit 2 ;;
esac
