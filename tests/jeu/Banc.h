// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game on the in-memory window, and the means to bring it to a given throw.
#include "ControlesMemoire.h"
#include "Feuille.h"
#include "Hasard.h"
#include "Invariants.h"
#include "Jeu.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

using Jet = std::array<int, 5>;

inline Jet jet(const std::string &s) {
    Jet j{};
    for (std::size_t i = 0; i < 5; ++i) j[i] = s[i] - '0';
    return j;
}

// The time of day at which a roll, holding the dice marked in `gardes`,
// leaves `cible` on the table (held dice must already show their target).
inline std::int32_t heurePour(const Jet &cible, const std::array<bool, 5> &gardes = {}) {
    for (std::int32_t h = 0; h < ControlesMemoire::MsParJour; ++h) {
        Hasard r;
        r.graine(static_cast<std::uint32_t>(h));
        Jet fin{};
        for (int passe = 0; passe < 5; ++passe)
            for (std::size_t d = 0; d < 5; ++d) fin[d] = r.Random(6) + 1;
        bool ok = true;
        for (std::size_t d = 0; d < 5 && ok; ++d) ok = gardes[d] || fin[d] == cible[d];
        if (ok) return h;
    }
    ADD_FAILURE() << "aucune heure ne donne ce jet";
    return 0;
}

struct Banc : ::testing::Test {
    ControlesMemoire c;
    Jeu jeu{c};
    EtatJeu &e = jeu.etat();

    Banc() { jeu.FormCreate(); }

    // A roll through the roll button that ends on `cible`.
    void lancer(const std::string &cible) {
        std::array<bool, 5> gardes{};
        for (std::size_t d = 0; d < 5; ++d) gardes[d] = c.marques[d + 1];
        c.horlogeMs = heurePour(jet(cible), gardes);
        jeu.B_LancerClick();
        for (int d = 1; d <= 5; ++d) ASSERT_EQ(e.Des[d], cible[static_cast<std::size_t>(d - 1)] - '0');
    }

    void cliquerLigne(int ligne, int colonne = 2) {
        const auto p = ControlesMemoire::point(colonne, ligne);
        jeu.GrilleMouseUp(p.x, p.y);
    }

    // Writes a finished row into a column as a recording would have, totals included.
    void remplir(int colonne, int ligne, int points) {
        using namespace feuille;
        e.Scores[colonne][ligne] = points;
        c.cellules[colonne][ligne] = std::to_string(points);
        auto &s = e.Scores[colonne];
        s[SOUS_TOTAL_HAUT] = 0;
        for (int l = AS; l <= SIX; ++l) s[SOUS_TOTAL_HAUT] += s[l];
        s[PRIME] = s[SOUS_TOTAL_HAUT] >= SeuilPrime ? ValeurPrime : 0;
        s[SOUS_TOTAL_BAS] = 0;
        for (int l = BRELAN; l <= CHANCE; ++l) s[SOUS_TOTAL_BAS] += s[l];
        s[TOTAL_GENERAL] = s[SOUS_TOTAL_HAUT] + s[PRIME] + s[SOUS_TOTAL_BAS];
        for (int l : {SOUS_TOTAL_HAUT, PRIME, SOUS_TOTAL_BAS, TOTAL_GENERAL})
            c.cellules[colonne][l] = std::to_string(s[l]);
    }

    std::string cellule(int colonne, int ligne) const { return c.cellules[colonne][ligne]; }

    void sansFaute() {
        const auto fautes = verifierInvariants(e, c, VueControles{c.legendeLancement, c.lancerActif, c.legendeEtiJoueur});
        for (const auto &f : fautes) ADD_FAILURE() << f;
    }
};
