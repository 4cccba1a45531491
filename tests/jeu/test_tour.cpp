// SPDX-License-Identifier: GPL-3.0-or-later
// A turn: start-up, new game, rolls and holds, choosing and recording a row,
// the hand-over, and the players' names.
#include "Banc.h"

using namespace feuille;

TEST_F(Banc, DemarrageSansPartie) {
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(c.faces[static_cast<std::size_t>(d)], 1) << "five aces";
        EXPECT_EQ(e.Des[d], 0);
    }
    EXPECT_FALSE(c.lancerActif);
    EXPECT_EQ(c.legendeLancement, "Lancer de dés 1");
    EXPECT_EQ(c.legendeEtiJoueur, "Joueur 1");
    EXPECT_FALSE(c.grilleMontree);
    EXPECT_EQ(c.ligneSelectionnee, 17);
    EXPECT_EQ(cellule(1, 0), "Marque");
    EXPECT_EQ(cellule(2, 0), "Joueur 1");
    EXPECT_EQ(cellule(3, 0), "Joueur 2");
    EXPECT_EQ(cellule(0, 0), "");
    const std::pair<int, const char *> noms[] = {{1, "AS"}, {7, "Sous total"}, {12, "Petite SUITE"},
                                                 {14, "YAM'S"}, {16, "Sous Total"}, {17, "TOTAL GENERAL"}};
    for (auto [l, nom] : noms) EXPECT_EQ(cellule(0, l), nom);
    EXPECT_EQ(cellule(1, 4), "total des Quatre");
    EXPECT_EQ(cellule(1, 7), "");
    EXPECT_EQ(cellule(1, 15), "total 5 dés");
    for (int col = 2; col <= 3; ++col)
        for (int l = 1; l <= 17; ++l) EXPECT_EQ(cellule(col, l), "");

    // Nothing can be done before a new game: clicks on dice and sheet do nothing.
    jeu.De1Click();
    cliquerLigne(AS);
    EXPECT_FALSE(c.marques[1]);
    EXPECT_TRUE(c.messages.empty());
    sansFaute();
}

TEST_F(Banc, OuvrirLeMenuSansChoisirDonneUnePartieADeux) {
    jeu.MenuNouvelleClick();
    EXPECT_TRUE(c.lancerActif);
    EXPECT_FALSE(e.ContreOrdi);
    EXPECT_EQ(c.legendeEtiJoueur, "Joueur 1");
    sansFaute();
}

TEST_F(Banc, LesTroisLancersDUnTour) {
    jeu.MenuNouvelleClick();
    jeu.De3Click();  // before the first roll: ignored
    EXPECT_FALSE(c.marques[3]);

    const char *jets[] = {"12345", "12366", "12666"};
    const char *legendes[] = {"Lancer de dés 2", "Lancer de dés 3", "Lancer de dés 3"};
    for (int i = 0; i < 3; ++i) {
        lancer(jets[i]);
        EXPECT_TRUE(e.TourEnCours);
        EXPECT_EQ(e.NumLancer, i + 2);
        EXPECT_EQ(c.legendeLancement, legendes[i]);
        EXPECT_EQ(c.lancerActif, i < 2);
        if (i == 0) { jeu.De1Click(); jeu.De2Click(); jeu.De3Click(); }
        if (i == 1) { jeu.De3Click(); jeu.De4Click(); jeu.De5Click(); }
        sansFaute();
    }
    EXPECT_EQ(c.sons, std::vector<std::string>(3, "LANCER"));

    // After the third roll the markers still toggle, and the roll is refused silently.
    jeu.De1Click();
    EXPECT_FALSE(c.marques[1]);
    const auto avant = e.Des;
    jeu.B_LancerClick();
    EXPECT_EQ(e.Des, avant);
    EXPECT_EQ(e.NumLancer, 4);
    EXPECT_FALSE(c.lancerActif);
    EXPECT_EQ(c.sons.size(), 3u);
    EXPECT_TRUE(c.messages.empty());
}

TEST_F(Banc, GarderLesCinqDesRefuseLeLancer) {
    jeu.MenuNouvelleClick();
    lancer("22562");
    for (int d = 1; d <= 5; ++d) jeu.DeClick(d);
    jeu.BtGrilleClick();
    ASSERT_TRUE(c.grilleMontree);
    const auto pauses = c.nbPauses;
    jeu.B_LancerClick();
    ASSERT_EQ(c.messages.size(), 1u);
    EXPECT_EQ(c.messages[0].genre, GenreMessage::Simple);
    EXPECT_EQ(c.messages[0].texte, "Vous avez décidé de garder tous les dés !");
    EXPECT_FALSE(c.grilleMontree) << "the sheet is hidden even when the roll is refused";
    EXPECT_EQ(c.legendeGrille, "Afficher les Scores");
    EXPECT_EQ(c.nbPauses, pauses);
    EXPECT_EQ(c.sons.size(), 1u);
    EXPECT_EQ(e.NumLancer, 2);
    const int attendu[7] = {0, 0, 3, 0, 0, 1, 1};
    for (int f = 1; f <= 6; ++f) EXPECT_EQ(e.NbFaces[f], attendu[f]);

    // Releasing one of five held dice makes the next roll throw that die only.
    jeu.De5Click();
    lancer("22566");
    EXPECT_EQ(e.NumLancer, 3);
    jeu.BtGrilleClick();
    cliquerLigne(DEUX);
    EXPECT_EQ(cellule(2, DEUX), "4");
}

TEST_F(Banc, LeLanceurRefuseNeChangeRienDuJetSurLaTable) {
    jeu.MenuNouvelleClick();
    lancer("22562");
    for (int d = 1; d <= 5; ++d) jeu.DeClick(d);
    jeu.B_LancerClick();
    // The refused throw still scores: NbFaces describes the five dice shown.
    jeu.BtGrilleClick();
    cliquerLigne(DEUX);
    EXPECT_EQ(cellule(2, DEUX), "6");
}

TEST_F(Banc, QuatreDesGardesUnSeulDeRoule) {
    jeu.MenuNouvelleClick();
    lancer("33334");
    for (int d = 1; d <= 4; ++d) jeu.DeClick(d);
    lancer("33336");
    int somme = 0;
    for (int f = 1; f <= 6; ++f) somme += e.NbFaces[f];
    EXPECT_EQ(somme, 5);
    EXPECT_EQ(e.NbFaces[3], 4);
    EXPECT_EQ(e.NbFaces[6], 1);
}

TEST_F(Banc, SansSonLeLancerEstMuetEtIdentique) {
    jeu.MenuNouvelleClick();
    c.son = false;
    c.garderPauses = true;
    lancer("12345");
    EXPECT_TRUE(c.sons.empty());
    EXPECT_EQ(c.pauses.size(), 5u);
}

TEST_F(Banc, LesDeuxAspectsDeLaFeuille) {
    c.journaliser = true;
    jeu.BtGrilleClick();
    EXPECT_TRUE(c.grilleMontree);
    EXPECT_EQ(c.styleGrille, StyleBouton::Abort);
    EXPECT_EQ(c.legendeGrille, "Masquer les Scores");
    jeu.BtGrilleClick();
    EXPECT_FALSE(c.grilleMontree);
    EXPECT_EQ(c.styleGrille, StyleBouton::Ok);
    EXPECT_EQ(c.legendeGrille, "Afficher les Scores");
    // Visibility, then the stock look, then the caption that replaces the stock one.
    const std::vector<std::string> ordre = {"grille 1", "style 1", "legende Masquer les Scores",
                                            "grille 0", "style 0", "legende Afficher les Scores"};
    EXPECT_EQ(c.journal, ordre);
}

TEST_F(Banc, ChoisirUneLigne) {
    jeu.MenuNouvelleClick();
    lancer("55522");

    struct Clic { int colonne, ligne; bool refuse; };
    // Refused: total rows, the heading; ignored: a point on no cell.
    for (Clic k : {Clic{2, SOUS_TOTAL_HAUT, true}, Clic{0, PRIME, true}, Clic{3, SOUS_TOTAL_BAS, true},
                   Clic{1, TOTAL_GENERAL, true}, Clic{2, 0, true}}) {
        c.messages.clear();
        cliquerLigne(k.ligne, k.colonne);
        ASSERT_EQ(c.messages.size(), 1u);
        EXPECT_EQ(c.messages[0].genre, GenreMessage::Avertissement);
        EXPECT_EQ(c.messages[0].texte, "CHOISISSEZ UNE MARQUE VALIDE !");
        EXPECT_TRUE(e.TourEnCours);
    }
    c.messages.clear();
    for (auto [x, y] : {std::pair{388, 100}, {200, 360}, {-1, 5}, {5, 400}}) jeu.GrilleMouseUp(x, y);
    EXPECT_TRUE(c.messages.empty());
    EXPECT_TRUE(e.TourEnCours);

    // The name "FULL" in column 0 scores FULL for the player to play.
    cliquerLigne(FULL, 0);
    EXPECT_EQ(cellule(2, FULL), "25");
    EXPECT_TRUE(c.grilleMontree);
    EXPECT_EQ(c.legendeGrille, "Masquer les Scores");
    for (int l : {SOUS_TOTAL_HAUT, PRIME, SOUS_TOTAL_BAS, TOTAL_GENERAL}) EXPECT_FALSE(cellule(2, l).empty());
    EXPECT_EQ(cellule(2, TOTAL_GENERAL), "25");
    EXPECT_EQ(cellule(2, PRIME), "0");
    for (int l = 1; l <= 17; ++l) EXPECT_EQ(cellule(3, l), "") << "the other column is untouched";

    // The hand-over.
    EXPECT_EQ(c.legendeLancement, "Lancer de dés 1");
    EXPECT_TRUE(c.lancerActif);
    EXPECT_EQ(c.legendeEtiJoueur, "Joueur 2");
    EXPECT_FALSE(e.TourJoueur1);
    for (int d = 1; d <= 5; ++d) EXPECT_FALSE(c.marques[static_cast<std::size_t>(d)]);
    EXPECT_EQ(c.faces[1], 5) << "the dice keep the throw just scored";
    sansFaute();

    // The second player clicks the first player's cell of a free row: scored in column 3.
    lancer("11111");
    cliquerLigne(YAMS, 2);
    EXPECT_EQ(cellule(3, YAMS), "50");
    EXPECT_EQ(cellule(2, YAMS), "");
    // A filled row is refused.
    lancer("22233");
    c.messages.clear();
    cliquerLigne(FULL, 3);
    ASSERT_EQ(c.messages.size(), 1u);
    EXPECT_EQ(cellule(2, FULL), "25");
    // A combination not in the throw scores 0 and fills the row.
    cliquerLigne(GRANDE_SUITE);
    EXPECT_EQ(cellule(2, GRANDE_SUITE), "0");
    EXPECT_EQ(e.Scores[2][GRANDE_SUITE], 0);
    sansFaute();
}

TEST_F(Banc, LaPrimeA63) {
    for (int avant : {57, 56}) {  // 57 + 6 = 63 reaches the bonus, 56 + 6 = 62 does not
        jeu.MenuNouvelleClick();
        remplir(2, AS, 3); remplir(2, DEUX, 6); remplir(2, TROIS, 9); remplir(2, QUATRE, 12);
        remplir(2, CINQ, avant - 30);
        remplir(2, CHANCE, 20);
        lancer("61234");
        cliquerLigne(SIX);
        EXPECT_EQ(cellule(2, SOUS_TOTAL_HAUT), std::to_string(avant + 6));
        EXPECT_EQ(cellule(2, PRIME), avant + 6 >= 63 ? "35" : "0");
        EXPECT_EQ(cellule(2, TOTAL_GENERAL), std::to_string(avant + 6 + 20 + (avant + 6 >= 63 ? 35 : 0)));
    }
}

TEST_F(Banc, NouvellePartieAuMilieuDUnePartie) {
    jeu.MenuNouvelleClick();
    lancer("12345");
    cliquerLigne(GRANDE_SUITE);
    lancer("66666");
    jeu.De1Click();
    jeu.MenuNouvelleClick();
    for (int col = 2; col <= 3; ++col)
        for (int l = 1; l <= 17; ++l) {
            EXPECT_EQ(cellule(col, l), "");
            EXPECT_EQ(e.Scores[col][l], 0);
        }
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(c.faces[static_cast<std::size_t>(d)], 1);
        EXPECT_FALSE(c.marques[static_cast<std::size_t>(d)]);
    }
    for (int f = 1; f <= 6; ++f) EXPECT_EQ(e.NbFaces[f], 0);
    EXPECT_EQ(e.Des[1], 6) << "the dice keep their values until the first roll";
    EXPECT_TRUE(e.TourJoueur1);
    EXPECT_FALSE(c.grilleMontree);
    EXPECT_EQ(c.legendeEtiJoueur, "Joueur 1");
    EXPECT_EQ(e.NumLancer, 1);
    EXPECT_TRUE(c.lancerActif);
    EXPECT_EQ(cellule(2, 0), "Joueur 1");
    sansFaute();
}

TEST_F(Banc, LesNomsDesJoueurs) {
    struct Cas {
        bool unJoueur;
        ResultatNoms reponse;
        const char *nom1, *nom2;
        bool contreOrdi;
    } cas[] = {
        {true, {false, "X", "Y"}, "Joueur 1", "ORDY", true},
        {true, {true, "ÉRIC", "ANCIEN"}, "ÉRIC", "ORDY", true},
        {false, {false, "X", "Y"}, "Joueur 1", "Joueur 2", false},
        {false, {true, "ANNE", "   "}, "ANNE", "   ", false},
    };
    for (const auto &k : cas) {
        jeu.MenuNouvelleClick();
        c.reponsesNoms.push_back(k.reponse);
        if (k.unJoueur) jeu.N1Joueur1Click(); else jeu.N2Joueurs1Click();
        EXPECT_EQ(c.demandesNoms.back(), !k.unJoueur) << "the second field is asked only for two players";
        EXPECT_EQ(e.NomJoueur1, k.nom1);
        EXPECT_EQ(e.NomJoueur2, k.nom2);
        EXPECT_EQ(e.ContreOrdi, k.contreOrdi);
        EXPECT_EQ(cellule(2, 0), k.nom1);
        EXPECT_EQ(cellule(3, 0), k.nom2);
        EXPECT_EQ(c.legendeEtiJoueur, k.nom1);
    }
    // A new game keeps the mode and the names.
    jeu.N1Joueur1Click();
    jeu.MenuNouvelleClick();
    EXPECT_TRUE(e.ContreOrdi);
    EXPECT_EQ(cellule(3, 0), "ORDY");
}
