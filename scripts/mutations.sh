#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the game's tests catch: plants plausible single faults in game/, one at
# a time, in a scratch copy of the sources (the working tree is never touched),
# builds the game without the window, runs tests_jeu then the simulator's tests
# (simulation_*: the invariants, the reference run), and says which caught each
# fault. Rerun it when the rules' code changes. Not run by the CI (about half a
# minute per fault on two cores).
#   bash scripts/mutations.sh             every fault
#   bash scripts/mutations.sh 3 12        faults 3 and 12 only
#   bash scripts/mutations.sh --liste     the list, without running anything
set -uo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"

descriptions=() fichiers=() avants=() apres=()
faute() { descriptions+=("$1"); fichiers+=("$2"); avants+=("$3"); apres+=("$4"); }

R14=$'    // R14\n    if (libre(BRELAN) && (a.JeuBrelan || (a.JeuCarre && !libre(CARRE))) &&\n        (a.TotalDes > 25 || !libre(faceAvecAuMoins(n, 3)) || vides < 6))\n        return inscrire(BRELAN, 14);\n'
R15=$'    // R15\n    if ((libre(BRELAN) || libre(CARRE) || libre(YAMS)) && vides < 5 && k <= 2 &&\n        faceAvecAuMoins(n, 2) != 0) {\n        for (int f = 6; f >= 1; --f) {\n            if (n[f] >= 2) { garderFace(d.Garde, des, f); break; }\n        }\n        return garder(15);\n    }\n'
TIRAGE=$'            const int v = hasard_.Random(6) + 1;  // drawn for every die, held or not\n            if (!c_.marqueVisible(de)) {\n'
TIRAGE_LIBRES=$'            if (!c_.marqueVisible(de)) {\n                const int v = hasard_.Random(6) + 1;\n'

# The computer's rules and final choice.
faute "R15 : CasesVides < 5 devient <= 5" game/Ordi.cpp "vides < 5 && k <= 2" "vides <= 5 && k <= 2"
faute "R14 et R15 essayées dans l'autre ordre" game/Ordi.cpp "$R14$R15" "$R15$R14"
faute "R2 : CasesVides < 4 devient < 5" game/Ordi.cpp "|| vides < 4)) {" "|| vides < 5)) {"
faute "R6 : la paire de cinq lit la ligne SIX" game/Ordi.cpp "(n[5] >= 2 && libre(CINQ))" "(n[5] >= 2 && libre(SIX))"
faute "lecture de la colonne 3 sans la ligne SIX" game/Jeu.cpp "        if (l <= SIX) {" "        if (l < SIX) {"
faute "ORDY fait son choix final après le 2e lancer" game/Jeu.cpp "if (k == 3 || tous)" "if (k == 2 || tous)"
faute "R2 : le carré gardé au 2e lancer sans regarder CARRE" game/Ordi.cpp "(k == 2 && libre(CARRE))" "k == 2"
faute "R3 : aussi au 3e lancer" game/Ordi.cpp "a.JeuBrelan && k <= 2 && (libre(BRELAN) || vides < 3) &&" "a.JeuBrelan && k <= 3 && (libre(BRELAN) || vides < 3) &&"
faute "R5 : CasesVides < 3 devient < 4" game/Ordi.cpp "|| k == 1 || vides < 3)) {" "|| k == 1 || vides < 4)) {"
faute "R6 : la clause de la paire de quatre oubliée" game/Ordi.cpp " || (n[4] >= 2 && libre(QUATRE)))) {" ")) {"
faute "R8 : aussi au 2e lancer" game/Ordi.cpp "a.JeuSuite3 && (k == 1 || vides < 3)) {" "a.JeuSuite3 && (k <= 2 || vides < 3)) {"
faute "R10 : CasesVides < 3 devient < 4" game/Ordi.cpp "a.JeuDeuxPaires && (k == 1 || vides < 3)) {" "a.JeuDeuxPaires && (k == 1 || vides < 4)) {"
faute "R11 : P > 62 devient P > 63" game/Ordi.cpp "if (p > 62 ||" "if (p > 63 ||"
faute "R11 : P > 41 devient P >= 41" game/Ordi.cpp "&& p > 41)" "&& p >= 41)"
faute "R11 : P > 35 devient P > 36" game/Ordi.cpp "&& p > 35))" "&& p > 36))"
faute "R11 : la face du brelan doit être libre, oublié" game/Ordi.cpp "if (f != 0 && libre(f)) {" "if (f != 0) {"
faute "R12 : TotalDes > 20 devient > 21" game/Ordi.cpp "a.TotalDes > 20" "a.TotalDes > 21"
faute "R12 : CasesVides < 6 devient < 7" game/Ordi.cpp "!libre(faceAvecAuMoins(n, 4)) || vides < 6))" "!libre(faceAvecAuMoins(n, 4)) || vides < 7))"
faute "R13 : la clause HautRempli oubliée" game/Ordi.cpp "(libre(BRELAN) || vides < 3 || col.HautRempli)) {" "(libre(BRELAN) || vides < 3)) {"
faute "R14 : TotalDes > 25 devient > 24" game/Ordi.cpp "a.TotalDes > 25" "a.TotalDes > 24"
faute "R14 : le carré compté comme brelan oublié" game/Ordi.cpp "(a.JeuBrelan || (a.JeuCarre && !libre(CARRE)))" "a.JeuBrelan"
faute "R15 : la paire la plus basse gardée" game/Ordi.cpp "        for (int f = 6; f >= 1; --f) {
            if (n[f] >= 2)" "        for (int f = 1; f <= 6; ++f) {
            if (n[f] >= 2)"
faute "R16 : à égalité, la face la plus haute" game/Ordi.cpp "n[f] > n[meilleure]" "n[f] >= n[meilleure]"
faute "une suite garde aussi les doubles" game/Ordi.cpp "if (des[d] == f) { g[d] = true; break; }" "if (des[d] == f) { g[d] = true; }"
faute "F1 : une paire suffit" game/Ordi.cpp "if (libre(f) && n[f] >= 3) return {f, 1};" "if (libre(f) && n[f] >= 2) return {f, 1};"
faute "F2 : jusqu'aux trois seulement" game/Ordi.cpp "for (int f = 1; f <= 4; ++f)" "for (int f = 1; f <= 3; ++f)"
faute "F3 : TotalDes > 18 devient > 19" game/Ordi.cpp "a.TotalDes > 18" "a.TotalDes > 19"
faute "F6 : CasesVides < 6 devient < 7" game/Ordi.cpp "if (libre(YAMS) && col.CasesVides < 6)" "if (libre(YAMS) && col.CasesVides < 7)"
F6=$'    // F6\n    if (libre(YAMS) && col.CasesVides < 6) return {YAMS, 6};\n'
F7=$'    // F7\n    if (libre(GRANDE_SUITE) && col.CasesVides < 6) return {GRANDE_SUITE, 7};\n'
faute "F6 et F7 essayées dans l'autre ordre" game/Ordi.cpp "$F6$F7" "$F7$F6"
# The computer's reading of a throw.
faute "AnalyseJet : le yam's n'est plus un full" game/Ordi.cpp "a.JeuFull = (trois && paires >= 1) || cinq;" "a.JeuFull = trois && paires >= 1;"
faute "AnalyseJet : le carré n'est plus deux paires" game/Ordi.cpp "a.JeuDeuxPaires = a.JeuCarre || (" "a.JeuDeuxPaires = ("
faute "AnalyseJet : la suite 4-5-6 oubliée" game/Ordi.cpp " ||
                   tousAuMoinsUn(n, 4, 6));" ");"
# The sheet.
faute "FULL : le yam's n'est plus un full" game/Feuille.cpp "return {(trois && deux) || uneFaceA([](int n) { return n == 5; }), 25};" "return {trois && deux, 25};"
faute "Petite SUITE : la suite 3-6 oubliée" game/Feuille.cpp " || suite(3, 6, false), 30};" ", 30};"
faute "Grande SUITE : la suite 2-6 oubliée" game/Feuille.cpp " || suite(2, 6, true), 40};" ", 40};"
faute "CARRE : exactement quatre dés" game/Feuille.cpp "return n >= 4;" "return n == 4;"
faute "BRELAN : exactement trois dés" game/Feuille.cpp "return n >= 3;" "return n == 3;"
# A turn, the totals and the end of the game.
faute "prime à 64 au lieu de 63" game/Jeu.cpp "> SeuilPrime - 1" "> SeuilPrime"
faute "sous-total du bas sans CHANCE" game/Jeu.cpp "for (int l = BRELAN; l <= CHANCE; ++l) s[SOUS_TOTAL_BAS]" "for (int l = BRELAN; l < CHANCE; ++l) s[SOUS_TOTAL_BAS]"
faute "total général sans la prime" game/Jeu.cpp "s[SOUS_TOTAL_HAUT] + s[PRIME] + s[SOUS_TOTAL_BAS];" "s[SOUS_TOTAL_HAUT] + s[SOUS_TOTAL_BAS];"
faute "la cellule dit les points même sans la figure" game/Jeu.cpp "std::to_string(v.condition ? v.points : 0)" "std::to_string(v.points)"
faute "le tour ne passe pas la main" game/Jeu.cpp "e_.TourJoueur1 = !e_.TourJoueur1;" "e_.TourJoueur1 = true;"
faute "un dé gardé n'use pas ses tirages" game/Jeu.cpp "$TIRAGE" "$TIRAGE_LIBRES"
faute "égalité annoncée comme une victoire du joueur 2" game/Jeu.cpp "else if (t3 > t2)" "else if (t3 >= t2)"
faute "ORDY se dit meilleur à égalité" game/Jeu.cpp "e_.ContreOrdi && t2 < t3" "e_.ContreOrdi && t2 <= t3"
faute "fin de partie sur la seule colonne 2" game/Jeu.cpp "for (int col = ColonneJoueur1; col <= ColonneJoueur2; ++col)
        for (int l = AS; l <= TOTAL_GENERAL; ++l)
            if (c_.celluleVide(col, l))" "for (int col = ColonneJoueur1; col < ColonneJoueur2; ++col)
        for (int l = AS; l <= TOTAL_GENERAL; ++l)
            if (c_.celluleVide(col, l))"
faute "une ligne de total peut être choisie" game/Jeu.cpp " || estLigneDeTotal(e_.LigneChoisie)) {" ") {"
faute "un dé se garde avant le premier lancer" game/Jeu.cpp "    if (!e_.TourEnCours) return;
    c_.montrerMarque" "    c_.montrerMarque"
faute "un quatrième lancer possible" game/Jeu.cpp "if (e_.NumLancer >= 4) {" "if (e_.NumLancer > 4) {"
faute "nouvelle partie sans remettre NumLancer" game/Jeu.cpp "    e_.TourEnCours = false;
    e_.NumLancer = 1;
    legendeLancerNumero();
    e_.TourJoueur1 = true;" "    e_.TourEnCours = false;
    legendeLancerNumero();
    e_.TourJoueur1 = true;"
faute "le hasard sans son incrément" game/Hasard.h "etat_ = etat_ * 134775813u + 1u;" "etat_ = etat_ * 134775813u;"

total=${#descriptions[@]}
if [ "${1:-}" = "--liste" ]; then
  for ((i = 0; i < total; i++)); do printf '%2d  %-8s %s\n' $((i + 1)) "${fichiers[i]#game/}" "${descriptions[i]}"; done
  exit 0
fi
choisies=("$@")
[ ${#choisies[@]} -eq 0 ] && choisies=($(seq 1 "$total"))

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
tar -C "$racine" -cf - CMakeLists.txt game tools tests packaging | tar -C "$travail" -xf -
cp -r "$travail/game" "$travail/game.intact"
construire() { cmake --build "$travail/build" --target tests_jeu kubrix-sim -j 2 >"$travail/construction.log" 2>&1; }
cmake -S "$travail" -B "$travail/build" -G Ninja -DKUBRIX_UI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
  { echo "configuration impossible" >&2; exit 2; }
construire || { echo "le code intact ne se construit pas" >&2; cat "$travail/construction.log" >&2; exit 2; }

# tests_jeu first (one process, quick), then the simulator's tests.
tester() {
  local sortie="$travail/tests.log"
  timeout 300 "$travail/build/tests/tests_jeu" --gtest_brief=1 >"$sortie" 2>&1
  local code=$?
  if [ $code -eq 124 ]; then echo "tests_jeu (bloqué)"; return 0; fi
  if [ $code -ne 0 ]; then
    echo "tests_jeu ($(grep -o '^\[  FAILED  \] [A-Za-z_]*\.[A-Za-z_]*' "$sortie" | sort -u | cut -c14- | paste -sd, -))"
    return 0
  fi
  ctest --test-dir "$travail/build" -R '^simulation_' --timeout 300 >"$sortie" 2>&1 && return 1
  grep -o 'simulation_[a-z_0-9]* .*\*\*\*' "$sortie" | cut -d' ' -f1 | paste -sd, -
}

tester >/dev/null && { echo "le code intact échoue à ses tests" >&2; exit 2; }

detectees=0 parJeu=0 essayees=0 manquees=()
for n in "${choisies[@]}"; do
  i=$((n - 1))
  f="${fichiers[i]}"
  cp "$travail/game.intact/${f#game/}" "$travail/$f"
  if ! AVANT="${avants[i]}" APRES="${apres[i]}" perl -0777 -i -pe \
      'my $c = () = /\Q$ENV{AVANT}\E/g; die "trouvé $c fois\n" unless $c == 1; s/\Q$ENV{AVANT}\E/$ENV{APRES}/' \
      "$travail/$f"; then
    printf '%2d  INTROUVABLE    %s\n' "$n" "${descriptions[i]}"
    continue
  fi
  if ! construire; then
    printf '%2d  NE COMPILE PAS %s\n' "$n" "${descriptions[i]}"
  else
    essayees=$((essayees + 1))
    if par=$(tester); then
      detectees=$((detectees + 1))
      case "$par" in tests_jeu*) parJeu=$((parJeu + 1)) ;; esac
      printf '%2d  détectée       %s — %s\n' "$n" "${descriptions[i]}" "$par"
    else
      manquees+=("$n")
      printf '%2d  NON DÉTECTÉE   %s\n' "$n" "${descriptions[i]}"
    fi
  fi
  cp "$travail/game.intact/${f#game/}" "$travail/$f"
done

echo
echo "$detectees détectées sur $essayees ($parJeu par tests_jeu)"
[ ${#manquees[@]} -eq 0 ] || echo "non détectées : ${manquees[*]}"
[ ${#manquees[@]} -eq 0 ]
