// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ordi.h"

namespace ordi {

using namespace feuille;

namespace {

bool tousAuMoinsUn(const Faces &n, int de, int a) {
    for (int f = de; f <= a; ++f)
        if (n[f] < 1) return false;
    return true;
}

bool tousExactementUn(const Faces &n, int de, int a) {
    for (int f = de; f <= a; ++f)
        if (n[f] != 1) return false;
    return true;
}

// Ways of holding dice: each sets flags, never clears them.
void garderFace(Gardes &g, const Des &des, int f) {
    for (int d = 1; d <= 5; ++d)
        if (des[d] == f) g[d] = true;
}

void garderFacesAuMoins(Gardes &g, const Des &des, const Faces &n, int m) {
    for (int f = 1; f <= 6; ++f)
        if (n[f] >= m) garderFace(g, des, f);
}

// One die per face of every run of length L, so a second die of a face is rolled again.
void garderSuite(Gardes &g, const Des &des, const Faces &n, int longueur) {
    for (int debut = 1; debut + longueur - 1 <= 6; ++debut) {
        if (!tousAuMoinsUn(n, debut, debut + longueur - 1)) continue;
        for (int f = debut; f < debut + longueur; ++f) {
            for (int d = 1; d <= 5; ++d) {
                if (des[d] == f) { g[d] = true; break; }
            }
        }
    }
}

// The face with `nb` or more dice (at most one such face for nb >= 3).
int faceAvecAuMoins(const Faces &n, int nb) {
    for (int f = 1; f <= 6; ++f)
        if (n[f] >= nb) return f;
    return 0;
}

}  // namespace

Analyse AnalyseJet(const Des &des, const Faces &n) {
    Analyse a;
    for (int d = 1; d <= 5; ++d) a.TotalDes += des[d];

    bool cinq = false, quatre = false, trois = false;
    int paires = 0;
    for (int f = 1; f <= 6; ++f) {
        cinq = cinq || n[f] == 5;
        quatre = quatre || n[f] == 4;
        trois = trois || n[f] == 3;
        if (n[f] == 2) ++paires;
    }
    a.JeuYams = cinq;
    a.JeuCarre = !cinq && quatre;
    a.JeuBrelan = !cinq && !quatre && trois;
    a.JeuFull = (trois && paires >= 1) || cinq;
    a.JeuDeuxPaires = a.JeuCarre || (!a.JeuFull && paires >= 2);
    a.JeuGrandeSuite = tousExactementUn(n, 1, 5) || tousExactementUn(n, 2, 6);
    a.JeuPetiteSuite = !a.JeuGrandeSuite &&
                       (tousAuMoinsUn(n, 1, 4) || tousAuMoinsUn(n, 2, 5) || tousAuMoinsUn(n, 3, 6));
    a.JeuSuite3 = !a.JeuGrandeSuite && !a.JeuPetiteSuite &&
                  (tousAuMoinsUn(n, 1, 3) || tousAuMoinsUn(n, 2, 4) || tousAuMoinsUn(n, 3, 5) ||
                   tousAuMoinsUn(n, 4, 6));
    return a;
}

Decision appliquerRegles(int k, const Des &des, const Faces &n, const Analyse &a, const Colonne &col) {
    const auto libre = [&](int ligne) { return col.libre[ligne]; };
    const int vides = col.CasesVides;
    Decision d;
    const auto inscrire = [&](int ligne, int regle) {
        d.inscrire = true;
        d.ligne = ligne;
        d.regle = regle;
        return d;
    };
    const auto garder = [&](int regle) {
        d.regle = regle;
        return d;
    };

    // R1
    if (libre(YAMS) && a.JeuYams) return inscrire(YAMS, 1);
    // R2
    if (libre(YAMS) && a.JeuCarre && (k == 1 || (k == 2 && libre(CARRE)) || vides < 4)) {
        garderFacesAuMoins(d.Garde, des, n, 4);
        return garder(2);
    }
    // R3
    if (libre(YAMS) && a.JeuBrelan && k <= 2 && (libre(BRELAN) || vides < 3) &&
        (!a.JeuFull || !libre(FULL))) {
        garderFacesAuMoins(d.Garde, des, n, 3);
        return garder(3);
    }
    // R4
    if (libre(GRANDE_SUITE) && a.JeuGrandeSuite) return inscrire(GRANDE_SUITE, 4);
    // R5
    if (libre(GRANDE_SUITE) && a.JeuPetiteSuite &&
        ((k <= 2 && libre(PETITE_SUITE)) || k == 1 || vides < 3)) {
        garderSuite(d.Garde, des, n, 4);
        return garder(5);
    }
    // R6
    if (libre(GRANDE_SUITE) && a.JeuSuite3 && k == 1 &&
        !((n[6] >= 2 && libre(SIX)) || (n[5] >= 2 && libre(CINQ)) || (n[4] >= 2 && libre(QUATRE)))) {
        garderSuite(d.Garde, des, n, 3);
        return garder(6);
    }
    // R7
    if (libre(PETITE_SUITE) && a.JeuPetiteSuite) return inscrire(PETITE_SUITE, 7);
    // R8
    if (libre(PETITE_SUITE) && a.JeuSuite3 && (k == 1 || vides < 3)) {
        garderSuite(d.Garde, des, n, 3);
        return garder(8);
    }
    // R9
    if (libre(FULL) && a.JeuFull) return inscrire(FULL, 9);
    // R10
    if (libre(FULL) && a.JeuDeuxPaires && (k == 1 || vides < 3)) {
        garderFacesAuMoins(d.Garde, des, n, 2);
        return garder(10);
    }
    // R11
    if ((a.JeuBrelan || a.JeuCarre) && !col.HautRempli) {
        const int f = faceAvecAuMoins(n, 3);
        if (f != 0 && libre(f)) {
            const int p = n[f] * f + col.SommeHaut;
            if (p > 62 ||
                (f != 3 && f != 4 && libre(TROIS) && libre(QUATRE) && p > 41) ||
                (f != 4 && f != 5 && libre(QUATRE) && libre(CINQ) && p > 35))
                return inscrire(f, 11);
        }
    }
    // R12
    if (libre(CARRE) && a.JeuCarre &&
        (col.HautRempli || a.TotalDes > 20 || !libre(faceAvecAuMoins(n, 4)) || vides < 6))
        return inscrire(CARRE, 12);
    // R13
    if (libre(CARRE) && a.JeuBrelan && k <= 2 && (libre(BRELAN) || vides < 3 || col.HautRempli)) {
        garderFacesAuMoins(d.Garde, des, n, 3);
        return garder(13);
    }
    // R14
    if (libre(BRELAN) && (a.JeuBrelan || (a.JeuCarre && !libre(CARRE))) &&
        (a.TotalDes > 25 || !libre(faceAvecAuMoins(n, 3)) || vides < 6))
        return inscrire(BRELAN, 14);
    // R15
    if ((libre(BRELAN) || libre(CARRE) || libre(YAMS)) && vides < 5 && k <= 2 &&
        faceAvecAuMoins(n, 2) != 0) {
        for (int f = 6; f >= 1; --f) {
            if (n[f] >= 2) { garderFace(d.Garde, des, f); break; }
        }
        return garder(15);
    }
    // R16
    int meilleure = 0;
    for (int f = 1; f <= 6; ++f) {
        if (n[f] >= 1 && libre(f) && (meilleure == 0 || n[f] > n[meilleure])) meilleure = f;
    }
    if (meilleure != 0) garderFace(d.Garde, des, meilleure);
    return garder(16);
}

Choix ChoixFinal(const Faces &n, const Analyse &a, const Colonne &col) {
    const auto libre = [&](int ligne) { return col.libre[ligne]; };
    // F1
    for (int f = 6; f >= 1; --f)
        if (libre(f) && n[f] >= 3) return {f, 1};
    // F2
    for (int f = 1; f <= 4; ++f)
        if (libre(f) && n[f] >= 2) return {f, 2};
    // F3
    if (libre(CHANCE) && a.TotalDes > 18) return {CHANCE, 3};
    // F4
    for (int f = 1; f <= 3; ++f)
        if (libre(f) && n[f] >= 1) return {f, 4};
    // F5
    if (libre(CHANCE)) return {CHANCE, 5};
    // F6
    if (libre(YAMS) && col.CasesVides < 6) return {YAMS, 6};
    // F7
    if (libre(GRANDE_SUITE) && col.CasesVides < 6) return {GRANDE_SUITE, 7};
    // F8
    for (int f = 1; f <= 6; ++f)
        if (libre(f) && n[f] >= 1) return {f, 8};
    // F9
    for (int ligne = AS; ligne <= SIX; ++ligne)
        if (libre(ligne)) return {ligne, 9};
    for (int ligne = BRELAN; ligne <= CHANCE; ++ligne)
        if (libre(ligne)) return {ligne, 9};
    return {};  // a full column: never asked, the hand-over guarantees a free row
}

}  // namespace ordi
