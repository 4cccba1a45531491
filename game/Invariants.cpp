// SPDX-License-Identifier: GPL-3.0-or-later
#include "Invariants.h"

#include "Feuille.h"

using namespace feuille;

int lignesRemplies(const Controles &c, int colonne) {
    int n = 0;
    for (int l = 1; l <= 17; ++l)
        if (estLigneDeMarque(l) && !c.texteCellule(colonne, l).empty()) ++n;
    return n;
}

std::vector<std::string> verifierInvariants(const EtatJeu &e, const Controles &c,
                                            const std::optional<VueControles> &vue) {
    std::vector<std::string> fautes;
    auto faute = [&](std::string s) { fautes.push_back(std::move(s)); };

    if (e.NumLancer < 1 || e.NumLancer > 4) faute("NumLancer hors de 1..4");
    if (e.TourEnCours != (e.NumLancer > 1)) faute("TourEnCours ne suit pas NumLancer");
    if (e.TourEnCours) {
        Faces n{};
        for (int d = 1; d <= 5; ++d) {
            if (e.Des[d] < 1 || e.Des[d] > 6) { faute("dé hors de 1..6"); return fautes; }
            n[e.Des[d]] += 1;
        }
        if (!(n == e.NbFaces)) faute("NbFaces ne compte pas Des");
    }

    for (int k = ColonneJoueur1; k <= ColonneJoueur2; ++k) {
        const auto &s = e.Scores[k];
        const int remplies = lignesRemplies(c, k);
        for (int l = 1; l <= 17; ++l) {
            const std::string t = c.texteCellule(k, l);
            if (estLigneDeMarque(l)) {
                if (t.empty() && s[l] != 0) faute("ligne libre " + std::to_string(l) + " avec un score");
                if (!t.empty() && t != std::to_string(s[l]))
                    faute("cellule " + std::to_string(k) + "," + std::to_string(l) + " ne dit pas son score");
            } else if (remplies == 0) {
                if (!t.empty() || s[l] != 0) faute("total écrit avant la première inscription");
            } else if (t != std::to_string(s[l])) {
                faute("total " + std::to_string(l) + " ne dit pas son score");
            }
        }
        if (remplies > 0) {
            int haut = 0, bas = 0;
            for (int l = AS; l <= SIX; ++l) haut += s[l];
            for (int l = BRELAN; l <= CHANCE; ++l) bas += s[l];
            if (s[SOUS_TOTAL_HAUT] != haut) faute("sous-total du haut faux");
            if (s[PRIME] != (haut >= SeuilPrime ? ValeurPrime : 0)) faute("prime fausse");
            if (s[SOUS_TOTAL_BAS] != bas) faute("sous-total du bas faux");
            if (s[TOTAL_GENERAL] != haut + s[PRIME] + bas) faute("total général faux");
        }
    }

    const int r2 = lignesRemplies(c, ColonneJoueur1), r3 = lignesRemplies(c, ColonneJoueur2);
    // Column 2 always plays first: it is ahead by one row while column 3 is to play.
    if (r2 != r3 + (e.TourJoueur1 ? 0 : 1)) faute("les colonnes ne suivent pas le tour");

    if (vue) {
        const int numero = e.NumLancer == 4 ? 3 : e.NumLancer;
        if (vue->legendeLancer != "Lancer de dés " + std::to_string(numero)) faute("légende du bouton de lancer");
        if (e.NumLancer == 4 && vue->lancerActif) faute("bouton de lancer actif après le troisième lancer");
        if (vue->legendeJoueur != (e.TourJoueur1 ? e.NomJoueur1 : e.NomJoueur2)) faute("EtiJoueur ne nomme pas le joueur");
    }
    return fautes;
}
