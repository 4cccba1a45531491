#!/usr/bin/env bash
# Measures KUBRIX and writes the table of docs/performance.md:
#  - launch to first mapped window (10 runs, Xvfb without window manager);
#  - resident (RSS) and proportional (PSS) memory 3 s after start;
#  - CPU time and wake-ups (context switches of all threads) over 10 s idle;
#  - installed size (the Debian package's Installed-Size);
#  - each pause of a roll and of a thinking pause, due against measured;
#  - kubrix-sim games per second.
# Usage: bench/mesurer.sh   (needs xvfb, libxcb1-dev; builds in build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
dossier="${KUBRIX_BUILD:-build-bench}"
cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dossier" --target kubrix kubrix-sim tests_robustesse >/dev/null
gcc -O2 -o "$dossier/premiere_fenetre" bench/premiere_fenetre.c -lxcb
programme="$dossier/ui/kubrix"

ecran=:93
Xvfb "$ecran" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$ecran"

# Launch to first window.
temps=()
for _ in $(seq 10); do
  sortie=$("$dossier/premiere_fenetre" "$programme" 2>/dev/null)
  temps+=("$(sed -n 1p <<<"$sortie")")
  kill "$(sed -n 2p <<<"$sortie")"; sleep 0.3
done
read -r tmin tmed tmax < <(printf '%s\n' "${temps[@]}" | sort -n | awk '{v[NR]=$1} END {printf "%s %.1f %s\n", v[1], (v[5]+v[6])/2, v[NR]}')

# Memory after 3 s, then 10 s of idling.
"$programme" >/dev/null 2>&1 &
pid=$!
sleep 3
rss=$(awk '/^Rss:/ {print $2}' /proc/$pid/smaps_rollup)
pss=$(awk '/^Pss:/ {print $2}' /proc/$pid/smaps_rollup)
tics() { awk '{print $14 + $15}' /proc/$pid/stat; }
reveils() { cat /proc/$pid/task/*/status | awk '/ctxt_switches/ {s += $2} END {print s}'; }
t0=$(tics); r0=$(reveils)
sleep 10
t1=$(tics); r1=$(reveils)
kill $pid
hz=$(getconf CLK_TCK)
cpu_ms=$(( (t1 - t0) * 1000 / hz ))
reveils_10s=$((r1 - r0))

# Installed size.
(cd "$dossier" && cpack >/dev/null)
taille=$(dpkg-deb -f "$dossier"/kubrix_*_amd64.deb Installed-Size)

# Pauses, and the simulator's speed.
pauses=$(QT_QPA_PLATFORM=offscreen "$dossier/tests/robustesse/tests_robustesse" \
         --gtest_filter='PrecisionPauses.*' 2>/dev/null | grep -E '^(pause +[0-9]+ +prévue|pire)' || true)
sim=$("$dossier/tools/kubrix-sim" --games 100000 --seed 1 | head -1)

date_mesure=$(date -I)
{
  echo "# Performances"
  echo
  echo "Mesuré par \`bench/mesurer.sh\` le $date_mesure sur $(nproc) cœurs ($(uname -m)), Debian $(cat /etc/debian_version),"
  echo "Qt $(dpkg-query -W -f='${Version}' libqt6core6 | cut -d- -f1), Xvfb sans gestionnaire de fenêtres."
  echo "Les autres jeux de Yams n'ont pas été mesurés : seul KUBRIX figure ici."
  echo
  echo "| Mesure | KUBRIX |"
  echo "|---|---|"
  echo "| lancement → première fenêtre affichée (10 essais) | min $tmin ms, médiane $tmed ms, max $tmax ms |"
  echo "| mémoire résidente (RSS) 3 s après le départ | $((rss / 1024)) Mo |"
  echo "| mémoire proportionnelle (PSS) 3 s après le départ | $((pss / 1024)) Mo |"
  echo "| temps CPU sur 10 s au repos (fenêtre ouverte, aucune partie) | $cpu_ms ms |"
  echo "| réveils sur 10 s au repos (changements de contexte, tous fils) | $reveils_10s |"
  echo "| taille installée (paquet Debian) | $((taille / 1024)) Mo ($taille Kio) |"
  echo "| \`kubrix-sim\` | ${sim#*, graine 1, } |"
  echo
  echo "Précision des pauses (fenêtre d'attente réelle, deux lancers de cinq pas de 500 ms suivis chacun"
  echo "d'une réflexion de 2000 ms ; objectif : chaque pause à 5 ms au plus de son échéance) :"
  echo
  echo '```'
  echo "$pauses"
  echo '```'
  echo
  echo "Objectifs :"
  if [ "$reveils_10s" -eq 0 ]; then echo "- aucun réveil au repos : atteint."
  else echo "- aucun réveil au repos : non atteint ($reveils_10s changements de contexte en 10 s, tous fils du programme confondus)."; fi
  pire=$(sed -n 's/^pire écart \([0-9.]*\) ms/\1/p' <<<"$pauses")
  if awk -v p="${pire:-99}" 'BEGIN {exit !(p <= 5)}'; then echo "- chaque pause à 5 ms au plus de son échéance : atteint (pire écart $pire ms)."
  else echo "- chaque pause à 5 ms au plus de son échéance : non atteint (pire écart ${pire:-?} ms)."; fi
} > docs/performance.md
cat docs/performance.md
