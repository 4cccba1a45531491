// SPDX-License-Identifier: GPL-3.0-or-later
// The dice's random source and the roll's draws for known seeds.
#include "Banc.h"

TEST(Hasard, TiragesCalculesALaMain) {
    // state = state * 134775813 + 1 (mod 2^32); face = upper 32 bits of state * 6, plus 1.
    struct Cas { std::uint32_t graine; Jet premiers, derniers; } cas[] = {
        {0, {1, 1, 6, 2, 2}, {5, 6, 5, 2, 1}},
        {1, {1, 6, 2, 2, 5}, {6, 5, 2, 1, 2}},
        {12345678, {4, 4, 1, 6, 3}, {1, 1, 3, 6, 6}},
        {86399999, {5, 6, 3, 2, 1}, {4, 1, 1, 2, 1}},
    };
    for (const auto &k : cas) {
        Hasard h;
        h.graine(k.graine);
        Jet tires[5];
        for (auto &passe : tires)
            for (int &v : passe) v = h.Random(6) + 1;
        EXPECT_EQ(tires[0], k.premiers) << k.graine;
        EXPECT_EQ(tires[4], k.derniers) << k.graine;
    }
}

TEST(Hasard, RandomResteDansSesBornes) {
    Hasard h;
    h.graine(0xFFFFFFFFu);
    int vus[6] = {};
    for (int i = 0; i < 60000; ++i) {
        const int v = h.Random(6);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 6);
        ++vus[v];
    }
    for (int n : vus) EXPECT_NEAR(n, 10000, 500);
}

TEST_F(Banc, LeLancerEstGraineParLHeureEtTireVingtCinqFois) {
    jeu.MenuNouvelleClick();
    c.horlogeMs = 12345678;
    c.garderPauses = true;
    jeu.B_LancerClick();
    EXPECT_EQ(jeu.derniereGraine(), 12345678u);
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(e.Des[d], (Jet{1, 1, 3, 6, 6})[static_cast<std::size_t>(d - 1)]);
        EXPECT_EQ(c.faces[static_cast<std::size_t>(d)], e.Des[d]) << "the picture shows the die";
    }
    ASSERT_EQ(c.pauses.size(), 5u);
    for (const auto &p : c.pauses) {
        EXPECT_EQ(p.legende, " ");
        EXPECT_EQ(p.texte, "Les dés roulent");
        EXPECT_EQ(p.intervalleMs, 500);
    }
}

TEST_F(Banc, UnDeGardeTireQuandMemeSaValeur) {
    // The held die's draws are discarded: the free dice get the same values as
    // if it had been thrown too.
    jeu.MenuNouvelleClick();
    lancer("24524");
    jeu.De2Click();
    c.horlogeMs = 12345678;
    jeu.B_LancerClick();
    EXPECT_EQ(e.Des[1], 1);
    EXPECT_EQ(e.Des[2], 4);  // held; its draw, 1, went unused
    EXPECT_EQ(e.Des[3], 3);
    EXPECT_EQ(e.Des[4], 6);
    EXPECT_EQ(e.Des[5], 6);
}
