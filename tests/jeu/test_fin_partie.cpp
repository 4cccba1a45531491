// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: the last recording, the sound and the announcement.
#include "Banc.h"

using namespace feuille;

namespace {

struct Fin : Banc {
    // Fills every scoring row of a column but `libre`; the column's grand total
    // comes out as `total` (carried by one row, whatever the dice could give).
    void remplirColonne(int colonne, int libre, int total) {
        const int porteur = libre == BRELAN ? CARRE : BRELAN;
        for (int l = 1; l <= 17; ++l)
            if (estLigneDeMarque(l) && l != libre && l != porteur) remplir(colonne, l, 0);
        remplir(colonne, porteur, total);
    }

    void partieADeux(const char *nom1, const char *nom2) {
        jeu.MenuNouvelleClick();
        c.reponsesNoms.push_back({true, nom1, nom2});
        jeu.N2Joueurs1Click();
    }
};

}  // namespace

TEST_F(Fin, PartieADeux) {
    struct Cas { int t2, base3; const char *jet; const char *annonce; } cas[] = {
        {200, 160, "44444", "Félicitations ANNE!"},  // 200 to 180 for column 2
        {180, 180, "44444", "Félicitations BOB!"},
        {190, 170, "44444", "Bravo à tous deux !"},
    };
    for (const auto &k : cas) {
        partieADeux("ANNE", "BOB");
        remplirColonne(2, 0, k.t2);
        remplirColonne(3, CHANCE, k.base3);
        e.TourJoueur1 = false;
        c.sons.clear();
        c.messages.clear();
        lancer(k.jet);
        cliquerLigne(CHANCE);
        EXPECT_TRUE(e.FinPartie);
        EXPECT_EQ(e.NomGagnant, k.annonce);
        EXPECT_EQ(c.sons, (std::vector<std::string>{"LANCER", "BRAVO"}));
        ASSERT_EQ(c.messages.size(), 1u);
        EXPECT_EQ(c.messages[0].genre, GenreMessage::Information);
        EXPECT_EQ(c.messages[0].texte, k.annonce);
        EXPECT_FALSE(c.lancerActif);
        EXPECT_EQ(c.legendeEtiJoueur, "ANNE") << "the label names who would play next";
        EXPECT_FALSE(e.TourEnCours);
        EXPECT_EQ(e.NumLancer, 1);
        sansFaute();
    }
}

TEST_F(Fin, ContreOrdy) {
    // ORDY's last free row is YAM'S and its roll is five sixes: 50 at once.
    struct Cas { int base2, base3; const char *son; const char *annonce; } cas[] = {
        {100, 56, "MEILLEUR", "Je suis vraiment le meilleur !!!"},  // 105 to 106: by one point
        {100, 55, "BRAVO", "Bravo à tous deux !"},
        {100, 54, "BRAVO", "Félicitations ÉRIC!"},
    };
    for (const auto &k : cas) {
        jeu.MenuNouvelleClick();
        c.reponsesNoms.push_back({true, "ÉRIC", ""});
        jeu.N1Joueur1Click();
        remplirColonne(2, CHANCE, k.base2);
        remplirColonne(3, YAMS, k.base3);
        lancer("11111");  // CHANCE 5
        c.sons.clear();
        c.messages.clear();
        c.horlogeMs = heurePour(jet("66666"));
        cliquerLigne(CHANCE);
        EXPECT_EQ(cellule(3, YAMS), "50");
        EXPECT_EQ(e.NomGagnant, k.annonce);
        EXPECT_EQ(c.sons, (std::vector<std::string>{"LANCER", k.son}));
        ASSERT_EQ(c.messages.size(), 1u);
        EXPECT_EQ(c.messages[0].texte, k.annonce);
        EXPECT_EQ(c.messages[0].genre, GenreMessage::Information);
        EXPECT_EQ(c.legendeEtiJoueur, "ÉRIC");
        sansFaute();

        // Over: the roll button stays disabled; dice and sheet ignore clicks.
        jeu.De1Click();
        cliquerLigne(CHANCE);
        EXPECT_FALSE(c.lancerActif);
        EXPECT_FALSE(c.marques[1]);
        EXPECT_EQ(c.messages.size(), 1u);
    }
}

TEST_F(Fin, SansSonLAnnonceEstFaiteQuandMeme) {
    partieADeux("ANNE", "BOB");
    remplirColonne(2, 0, 100);
    remplirColonne(3, CHANCE, 50);
    e.TourJoueur1 = false;
    lancer("12345");
    c.son = false;
    c.sons.clear();
    cliquerLigne(CHANCE);
    EXPECT_TRUE(c.sons.empty());
    ASSERT_EQ(c.messages.size(), 1u);
    EXPECT_EQ(c.messages[0].texte, "Félicitations ANNE!");
}

TEST_F(Fin, PasDAnnonceAvantLaDerniereCase) {
    partieADeux("ANNE", "BOB");
    remplirColonne(2, 0, 100);
    remplirColonne(3, CHANCE, 50);
    c.cellules[3][FULL].clear();  // one more free row in column 3
    e.Scores[3][FULL] = 0;
    e.TourJoueur1 = false;
    lancer("12345");
    cliquerLigne(CHANCE);
    EXPECT_FALSE(e.FinPartie);
    EXPECT_TRUE(c.messages.empty());
    EXPECT_TRUE(c.lancerActif);
}
