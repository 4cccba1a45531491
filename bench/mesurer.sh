#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures KUBRIX beside Debian's other dice games (tali, kiriki, openyahtzee)
# in one run, and writes docs/performance.md:
#  - launch to first mapped window, to its first drawing and to its last
#    drawing ("ready"), seen from outside by bench/demarrage.c;
#  - proportional memory (PSS) 3 s after start;
#  - CPU time, wake-ups and drawings over the next 10 s of idling;
#  - KUBRIX alone: installed size, each pause against its due time, and
#    kubrix-sim's speed.
# Every program runs on the same Xvfb (1280×1024, no window manager, no
# cursor) and the same session bus, one at a time, in an order that turns
# from one run to the next; one unmeasured run of each warms the caches.
# Absolute times move from one run to the next on a shared machine: only
# the ratios of a same run compare.
# Usage: bench/mesurer.sh   (KUBRIX_ESSAIS runs, 7 by default; KUBRIX_ECRAN
# the X display to use, a free one otherwise; installs what it needs when
# missing; builds in build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD
dossier="$racine/${KUBRIX_BUILD:-build-bench}"
essais="${KUBRIX_ESSAIS:-7}"

paquets=(xvfb gcc libxcb1-dev libxcb-damage0-dev dbus-daemon file dpkg-dev tali kiriki openyahtzee)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_="sudo"
  $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${manquants[@]}" >/dev/null
fi

cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dossier" --target kubrix kubrix-sim tests_robustesse >/dev/null
gcc -O2 -Wall -Wextra -o "$dossier/demarrage" bench/demarrage.c -lxcb -lxcb-damage
# Qt's own floor, measured with the others but compared with none.
g++ -O2 -std=c++20 -fPIC -o "$dossier/qt_nu" bench/qt_nu.cpp $(pkg-config --cflags --libs Qt6Widgets)

# A home of its own, so that each program finds its settings of the run before.
maison="$dossier/bench-maison"
mkdir -p "$maison/run"
chmod 700 "$maison/run"
resultats=$(mktemp)

xvfb=""; adresse=""; pid_bus=""
finir() {
  # The bus's own services (the accessibility bus...) outlive it unless ended.
  if [ -n "$adresse" ]; then
    for p in /proc/[0-9]*; do
      grep -qzxF "DBUS_SESSION_BUS_ADDRESS=$adresse" "$p/environ" 2>/dev/null && kill "${p#/proc/}" 2>/dev/null
    done
  fi
  kill $pid_bus $xvfb 2>/dev/null || true
  rm -f "$resultats"
}
trap finir EXIT

# The display KUBRIX_ECRAN (":62"), or a free one the server picks and names.
ecran=(-displayfd 3)
[ -n "${KUBRIX_ECRAN:-}" ] && ecran=("$KUBRIX_ECRAN")
Xvfb "${ecran[@]}" -screen 0 1280x1024x24 -nolisten tcp -nocursor 3>"$resultats" >/dev/null 2>&1 &
xvfb=$!
sleep 1
numero=$(head -1 "$resultats")
numero=${KUBRIX_ECRAN:-:$numero}
numero=${numero#:}
: > "$resultats"
bus=$(env -i HOME="$maison" XDG_RUNTIME_DIR="$maison/run" DISPLAY=":$numero" \
      dbus-daemon --session --fork --print-address=1 --print-pid=1)
adresse=$(sed -n 1p <<<"$bus")
pid_bus=$(sed -n 2p <<<"$bus")

programmes=(KUBRIX tali kiriki openyahtzee Qt-seul)
# KUBRIX_AVANT: another build of KUBRIX measured in the same run, to weigh a change.
[ -n "${KUBRIX_AVANT:-}" ] && programmes+=(KUBRIX-avant)
commande() {
  case $1 in
    KUBRIX) echo "$dossier/ui/kubrix" ;;
    KUBRIX-avant) echo "$KUBRIX_AVANT" ;;
    Qt-seul) echo "$dossier/qt_nu" ;;
    *) echo "/usr/games/$1" ;;
  esac
}
lancer() {  # lancer PROGRAMME AVANT_S REPOS_S
  env -i PATH=/usr/bin:/bin:/usr/games HOME="$maison" XDG_RUNTIME_DIR="$maison/run" LANG=C.UTF-8 \
      DISPLAY=":$numero" DBUS_SESSION_BUS_ADDRESS="$adresse" \
      "$dossier/demarrage" "$2" "$3" "$(commande "$1")"
}

for p in "${programmes[@]}"; do lancer "$p" 2 0 >/dev/null; done
for i in $(seq "$essais"); do
  for j in "${!programmes[@]}"; do
    p=${programmes[$(( (i + j) % ${#programmes[@]} ))]}
    echo "$p $(lancer "$p" 3 10)" >> "$resultats"
  done
done

# Median of each column for each program: "programme carte image pret pss cpu reveils dessins
# cpu_carte partages"; the PSS only over the runs where no other process shared the program's
# toolkit, when there are such runs (the last column then says 0).
medianes=$(for p in "${programmes[@]}"; do
  seuls=$(awk -v p="$p" '$1 == p && $10 == 0' "$resultats" | wc -l)
  awk -v p="$p" '$1 == p' "$resultats" | awk -v p="$p" -v seuls="$seuls" '
    { n++; for (c = 2; c <= NF; c++) v[c, n] = $c; nc = NF }
    END {
      printf "%s", p
      for (c = 2; c <= nc; c++) {
        for (i = 1; i <= n; i++) t[i] = v[c, i]
        for (i = 2; i <= n; i++) for (k = i; k > 1 && t[k-1] > t[k]; k--) { x = t[k]; t[k] = t[k-1]; t[k-1] = x }
        printf " %s", (n % 2) ? t[(n+1)/2] : (t[n/2] + t[n/2+1]) / 2
      }
      printf "\n"
    }' | { read -r ligne; if [ "$seuls" -gt 0 ]; then
             pss=$(awk -v p="$p" '$1 == p && $10 == 0 {print $5}' "$resultats" | sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}')
             awk -v pss="$pss" '{$5 = pss; $10 = 0; print}' <<<"$ligne"
           else echo "$ligne"; fi; }
done)

# Installed size, counted as dpkg counts a package's (KiB per file, rounded up,
# and one per folder or link): what cmake --install puts down, stripped.
installe=$(mktemp -d)
DESTDIR="$installe" cmake --install "$dossier" --prefix /usr --strip >/dev/null
taille=$(find "$installe" -mindepth 1 -printf '%y %s\n' | awk '{k += ($1 == "f") ? int(($2 + 1023) / 1024) : 1} END {print k}')
rm -rf "$installe"

# Pauses, and the simulator's speed.
pauses=$(QT_QPA_PLATFORM=offscreen "$dossier/tests/robustesse/tests_robustesse" \
         --gtest_filter='PrecisionPauses.*' 2>/dev/null | grep -E '^(pause +[0-9]+ +prévue|pire)' || true)
sim=$("$dossier/tools/kubrix-sim" --games 100000 --seed 1 | head -1)
charge=$(cut -d' ' -f1-3 /proc/loadavg)

version() { dpkg-query -W -f='${Version}' "$1" | sed 's/^[0-9]*://; s/-[^-]*$//'; }
{
  echo "# Performances"
  echo
  echo "Mesuré par \`bench/mesurer.sh\` le $(date -I) sur $(nproc) cœurs ($(uname -m)), Debian $(cat /etc/debian_version),"
  echo "Qt $(version libqt6core6) ; charge moyenne de la machine à la fin : $charge."
  echo
  echo "## Démarrage, mémoire et repos, à côté des autres jeux de dés de Debian"
  echo
  echo "tali $(version tali) (GTK 3), kiriki $(version kiriki) (KDE, Qt 5), openyahtzee $(version openyahtzee) (wxWidgets, GTK 3)."
  echo "« Qt-seul » (\`bench/qt_nu.cpp\`) : une fenêtre principale Qt 6 avec une ligne de texte et rien d'autre, le plancher"
  echo "de Qt sur cette machine ; elle n'entre pas dans les rapports."
  echo "Même Xvfb 1280×1024 sans gestionnaire de fenêtres ni curseur, même bus de session, un programme à la fois,"
  echo "l'ordre tournant d'un essai à l'autre, après un lancement non compté de chacun ; médiane de $essais essais."
  echo "Les temps partent du \`fork\` : fenêtre affichée (première fenêtre de premier niveau mise à l'écran),"
  echo "premier dessin à l'écran, dernier dessin avant la 3ᵉ seconde (« prêt ») ; les dessins sont vus par"
  echo "l'extension X DAMAGE, quelle que soit la bibliothèque du programme. Entre parenthèses : le rapport"
  echo "au meilleur des trois autres jeux (plus petit = mieux)$([ -n "${KUBRIX_AVANT:-}" ] && echo " ; « KUBRIX-avant » est la version d'avant les changements mesurés ici"). Les temps absolus varient de 20 % et plus d'une"
  echo "mesure à l'autre sur cette machine partagée : seuls les rapports d'une même mesure se comparent."
  echo
  awk -v liste="$medianes" '
    function f(x, c, r) { r = (c == 4) ? sprintf("%.1f Mo", x / 1024) : (c <= 3 || c == 5) ? sprintf("%.1f", x) : sprintf("%d", x); return r }
    BEGIN {
      n = split(liste, lignes, "\n")
      for (i = 1; i <= n; i++) { split(lignes[i], v, " "); nom[i] = v[1]; for (c = 1; c <= 7; c++) m[i, c] = v[c + 1]; seul[i] = (v[10] == 0) }
      titre[1] = "fenêtre affichée (ms)"; titre[2] = "premier dessin (ms)"; titre[3] = "prêt (ms)"
      titre[4] = "PSS à 3 s"; titre[5] = "CPU sur 10 s au repos (ms)"; titre[6] = "réveils sur 10 s au repos"
      titre[7] = "dessins sur 10 s au repos"
      printf "| Mesure |"; for (i = 1; i <= n; i++) printf " %s |", nom[i]; printf "\n|---|"
      for (i = 1; i <= n; i++) printf "---|"; printf "\n"
      for (c = 1; c <= 7; c++) {
        meilleur = -1
        for (i = 2; i <= n; i++) if (nom[i] !~ /^(KUBRIX|Qt-seul)/ && (meilleur < 0 || m[i, c] < meilleur)) meilleur = m[i, c]
        printf "| %s |", titre[c]
        for (i = 1; i <= n; i++) {
          marque = (c == 4 && !seul[i]) ? " ⁽*⁾" : ""
          if (meilleur > 0) printf " %s%s (%.2f) |", f(m[i, c], c), marque, m[i, c] / meilleur
          else printf " %s |", f(m[i, c], c)
        }
        printf "\n"
      }
    }'
  echo
  partage=$(awk '$10 > 0 {n++} END {print n + 0}' "$resultats")
  echo "La PSS divise chaque page entre les processus qui la partagent : un autre programme de la même"
  echo "bibliothèque graphique (Qt, GTK, wxWidgets) lancé ailleurs sur la machine l'abaisse (c'était le cas"
  echo "pour $partage des $(wc -l < "$resultats") essais). Celle du tableau est la médiane des seuls essais où aucun"
  echo "processus étranger ne la partageait ; ⁽*⁾ : il n'y en a pas eu pour ce programme, médiane de tous."
  echo
  echo "Chaque essai (programme, fenêtre, premier dessin, prêt, PSS en Kio, CPU en ms, réveils, dessins au repos,"
  echo "CPU consommé à l'affichage de la fenêtre en ms, processus étrangers partageant sa bibliothèque graphique) :"
  echo
  echo '```'
  cat "$resultats"
  echo '```'
  echo
  echo "## KUBRIX seul"
  echo
  echo "| Mesure | KUBRIX |"
  echo "|---|---|"
  echo "| taille installée (fichiers du paquet, sans sa doc) | $((taille / 1024)) Mo ($taille Kio) |"
  echo "| \`kubrix-sim\` | ${sim#*, graine 1, } |"
  echo
  echo "Précision des pauses (fenêtre d'attente réelle, deux lancers de cinq pas de 500 ms suivis chacun"
  echo "d'une réflexion de 2000 ms ; objectif : chaque pause à 5 ms au plus de son échéance) :"
  echo
  echo '```'
  echo "$pauses"
  echo '```'
  echo
  echo "## Objectifs"
  echo
  read -r _ carte _ _ pss cpu reveils dessins _ _ < <(sed -n 1p <<<"$medianes")
  read -r carte_pair pss_pair < <(grep -Ev '^(KUBRIX|Qt-seul)' <<<"$medianes" | awk 'NR == 1 || $2 < c {c = $2} NR == 1 || $5 < p {p = $5} END {print c, p}')
  rc=$(awk -v a="$carte" -v b="$carte_pair" 'BEGIN {printf "%.2f", a / b}')
  rp=$(awk -v a="$pss" -v b="$pss_pair" 'BEGIN {printf "%.2f", a / b}')
  if awk -v r="$rc" 'BEGIN {exit !(r <= 0.5)}'; then echo "- fenêtre affichée en 0,5 fois au plus le temps du plus rapide des autres : atteint ($rc)."
  else echo "- fenêtre affichée en 0,5 fois au plus le temps du plus rapide des autres : non atteint ($rc)."; fi
  if awk -v r="$rp" 'BEGIN {exit !(r < 1)}'; then echo "- PSS sous celle du plus petit des autres (visée : 0,8) : atteint ($rp)."
  else echo "- PSS sous celle du plus petit des autres (visée : 0,8) : non atteint ($rp)."; fi
  if awk -v c="$cpu" 'BEGIN {exit !(c == 0)}' && [ "$reveils" -eq 0 ] && [ "$dessins" -eq 0 ]; then echo "- ni CPU, ni réveil, ni dessin au repos : atteint."
  else echo "- ni CPU, ni réveil, ni dessin au repos : non atteint ($cpu ms, $reveils réveils, $dessins dessins en 10 s)."; fi
  pire=$(sed -n 's/^pire écart \([0-9.]*\) ms/\1/p' <<<"$pauses")
  if awk -v p="${pire:-99}" 'BEGIN {exit !(p <= 5)}'; then echo "- chaque pause à 5 ms au plus de son échéance : atteint (pire écart $pire ms)."
  else echo "- chaque pause à 5 ms au plus de son échéance : non atteint (pire écart ${pire:-?} ms)."; fi
  # What was tried, and why the figures stand where they do: written by hand.
  if [ -f bench/analyse.md ]; then echo; cat bench/analyse.md; fi
} > docs/performance.md
cat docs/performance.md
