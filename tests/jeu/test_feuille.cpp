// SPDX-License-Identifier: GPL-3.0-or-later
// Row values of the sheet, for the throws that decide the rules.
#include "Feuille.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace feuille;

namespace {

Des des(std::string s) {
    Des d{};
    for (int i = 1; i <= 5; ++i) d[i] = s[static_cast<std::size_t>(i - 1)] - '0';
    return d;
}

int points(int ligne, const std::string &jet) {
    const Des d = des(jet);
    return pointsInscrits(ligne, d, compterFaces(d));
}

struct Cas {
    const char *jet;
    std::map<int, int> attendu;  // row -> points written
};

}  // namespace

TEST(ValeurLigne, TableDesJets) {
    const Cas cas[] = {
        {"22222", {{DEUX, 10}, {TROIS, 0}, {BRELAN, 10}, {CARRE, 10}, {FULL, 25}, {YAMS, 50}, {CHANCE, 10},
                   {PETITE_SUITE, 0}, {GRANDE_SUITE, 0}, {AS, 0}}},
        {"33332", {{FULL, 0}, {BRELAN, 14}, {CARRE, 14}, {TROIS, 12}, {DEUX, 2}, {YAMS, 0}}},
        {"55522", {{FULL, 25}, {BRELAN, 19}, {CARRE, 0}, {CINQ, 15}, {YAMS, 0}}},
        {"12346", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 0}, {CHANCE, 16}, {BRELAN, 0}}},
        {"13456", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 0}}},
        {"12356", {{PETITE_SUITE, 0}, {GRANDE_SUITE, 0}}},
        {"23456", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 40}, {FULL, 0}}},
        {"54321", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 40}}},
        {"11234", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 0}, {AS, 2}}},
        {"66661", {{CARRE, 25}, {BRELAN, 25}, {FULL, 0}, {SIX, 24}, {AS, 1}}},
        {"66666", {{SIX, 30}, {BRELAN, 30}, {CARRE, 30}, {FULL, 25}, {YAMS, 50}, {CHANCE, 30}}},
        {"11122", {{FULL, 25}, {BRELAN, 7}, {AS, 3}, {DEUX, 4}}},
        {"12121", {{FULL, 25}, {BRELAN, 7}}},   // same full house, dice in another order
        {"11223", {{FULL, 0}, {BRELAN, 0}, {CHANCE, 9}}},
        {"34563", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 0}}},
        {"24563", {{PETITE_SUITE, 30}, {GRANDE_SUITE, 40}}},
    };
    for (const Cas &c : cas)
        for (const auto &[ligne, attendu] : c.attendu)
            EXPECT_EQ(points(ligne, c.jet), attendu) << "jet " << c.jet << ", ligne " << NomLigne[ligne];
}

TEST(ValeurLigne, LesLignesDuHautComptentLaFaceSeulement) {
    // Every throw: row f is f times the dice showing f, and CHANCE the sum.
    for (int a = 0; a < 6 * 6 * 6 * 6 * 6; ++a) {
        Des d{};
        int x = a, somme = 0;
        for (int i = 1; i <= 5; ++i) { d[i] = x % 6 + 1; x /= 6; somme += d[i]; }
        const Faces n = compterFaces(d);
        int total = 0;
        for (int f = 1; f <= 6; ++f) {
            int compte = 0;
            for (int i = 1; i <= 5; ++i) compte += d[i] == f;
            ASSERT_EQ(n[f], compte);
            ASSERT_EQ(pointsInscrits(f, d, n), compte * f);
            total += compte;
        }
        ASSERT_EQ(total, 5);
        ASSERT_EQ(pointsInscrits(CHANCE, d, n), somme);
        // A yam's is also a brelan, a carré and a full; a grande suite also a petite.
        if (pointsInscrits(YAMS, d, n)) {
            ASSERT_EQ(pointsInscrits(BRELAN, d, n), somme);
            ASSERT_EQ(pointsInscrits(CARRE, d, n), somme);
            ASSERT_EQ(pointsInscrits(FULL, d, n), 25);
        }
        if (pointsInscrits(GRANDE_SUITE, d, n)) {
            ASSERT_EQ(pointsInscrits(PETITE_SUITE, d, n), 30);
        }
        if (pointsInscrits(CARRE, d, n)) {
            ASSERT_EQ(pointsInscrits(BRELAN, d, n), somme);
        }
    }
}

TEST(ValeurLigne, LesLignesDeTotalNeMarquentRien) {
    const Des d = des("66666");
    for (int ligne : {SOUS_TOTAL_HAUT, PRIME, SOUS_TOTAL_BAS, TOTAL_GENERAL})
        EXPECT_EQ(pointsInscrits(ligne, d, compterFaces(d)), 0);
}
