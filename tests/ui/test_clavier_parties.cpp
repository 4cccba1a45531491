// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games played with key presses only, to the announcement: two players,
// and one player against ORDY. The menu, the name dialog, the rolls, the
// holds, the sheet and the message boxes are all worked from the keyboard.
#include "test_clavier_banc.h"

using namespace feuille;

namespace {

struct PartieClavier : BancClavier {
    QStringList messages;
    std::unique_ptr<PiloteModal> boites{repondreMessagesAuClavier(messages)};

    // Alt+N opens the menu (the game is reset on the opening); Down moves
    // from "1 Joueur" to "2 Joueurs"; Return picks the entry.
    void nouvellePartie(bool deuxJoueurs, const QString &nom1, const QString &nom2) {
        std::unique_ptr<PiloteModal> noms(taperNoms(nom1, nom2));
        touche(Qt::Key_N, Qt::AltModifier);
        ASSERT_TRUE(f->MenuNouvelle->isVisible());
        if (deuxJoueurs) touche(Qt::Key_Down);
        touche(Qt::Key_Return);
        ASSERT_EQ(noms->traites, 1);
        ASSERT_FALSE(f->MenuNouvelle->isVisible());
    }

    // The player to play: rolls with Space on the roll button, holds a die by
    // its number and rolls again with Enter on some turns, shows the sheet,
    // tries a total row on some turns (refused), then chooses a free row by
    // the arrows and Enter or Space.
    void jouerUnTour(int tour) {
        const int colonne = e().TourJoueur1 ? 2 : 3;
        const int remplies = lignesRemplies(*f, colonne);
        focaliser(f->B_Lancer);
        touche(Qt::Key_Space);
        ASSERT_EQ(e().NumLancer, 2);
        if (tour % 2) {
            const int de = 1 + tour % 5;
            touche(Qt::Key_0 + de);
            ASSERT_FALSE(f->marque(de)->isHidden());
            const int garde = e().Des[de];
            touche(Qt::Key_Return);
            ASSERT_EQ(e().NumLancer, 3);
            EXPECT_EQ(e().Des[de], garde) << "the held die was thrown";
        }
        verifier();
        ASSERT_TRUE(f->Grille->isHidden());
        focaliser(f->BtGrille);
        touche(tour % 3 ? Qt::Key_Space : Qt::Key_Return);
        ASSERT_FALSE(f->Grille->isHidden());
        focaliser(f->Grille);

        if (tour % 4 == 1) {
            const int refusees = messages.size();
            allerALaLigne(tour % 8 == 1 ? SOUS_TOTAL_HAUT : TOTAL_GENERAL);
            touche(Qt::Key_Return);
            ASSERT_EQ(messages.size(), refusees + 1);
            EXPECT_EQ(messages.last(), "CHOISISSEZ UNE MARQUE VALIDE !");
            EXPECT_EQ(lignesRemplies(*f, colonne), remplies);
            focaliser(f->Grille);  // the box took the focus away
        }

        // The first free row, or the last one every third turn.
        int cible = 0;
        for (int l = 1; l <= 17; ++l) {
            if (!estLigneDeMarque(l) || !f->Grille->texte(colonne, l).isEmpty()) continue;
            cible = l;
            if (tour % 3) break;
        }
        ASSERT_NE(cible, 0);
        allerALaLigne(cible);
        const QString attendu = QString::number(pointsInscrits(cible, e().Des, e().NbFaces));
        touche(tour % 2 ? Qt::Key_Return : Qt::Key_Space);
        EXPECT_EQ(f->Grille->texte(colonne, cible), attendu);
        EXPECT_EQ(lignesRemplies(*f, colonne), remplies + 1);
        verifier();
    }

    int totalGeneral(int colonne) { return f->Grille->texte(colonne, TOTAL_GENERAL).toInt(); }
};

}  // namespace

TEST_F(PartieClavier, DeuxJoueursAuClavier) {
    nouvellePartie(true, "anne", "bob");
    EXPECT_EQ(f->Grille->texte(2, 0), "ANNE");
    EXPECT_EQ(f->Grille->texte(3, 0), "BOB");
    for (int tour = 0; tour < 26; ++tour) {
        SCOPED_TRACE(tour);
        ASSERT_TRUE(f->B_Lancer->isEnabled());
        EXPECT_EQ(f->EtiJoueur->text(), tour % 2 ? "BOB" : "ANNE");
        EXPECT_FALSE(messages.contains("Félicitations ANNE!") || messages.contains("Félicitations BOB!"))
            << "announced before the 26th recording";
        jouerUnTour(tour);
        if (HasFatalFailure()) return;
    }
    const int t2 = totalGeneral(2), t3 = totalGeneral(3);
    EXPECT_EQ(messages.last(), t2 > t3 ? "Félicitations ANNE!" : t3 > t2 ? "Félicitations BOB!" : "Bravo à tous deux !");
    EXPECT_EQ(messages.count("CHOISISSEZ UNE MARQUE VALIDE !"), 7);
    EXPECT_FALSE(f->B_Lancer->isEnabled());
    EXPECT_FALSE(boites->tempsEcoule);
    verifier();

    // The game is over: keys change nothing any more.
    const auto des = e().Des;
    focaliser(f->Grille);
    allerALaLigne(AS);
    touche(Qt::Key_Return);
    touche(Qt::Key_1);
    EXPECT_EQ(e().Des, des);
    EXPECT_TRUE(f->marque(1)->isHidden());
    EXPECT_EQ(messages.count("CHOISISSEZ UNE MARQUE VALIDE !"), 7);
}

TEST_F(PartieClavier, ContreOrdyAuClavier) {
    nouvellePartie(false, "eric", "");
    EXPECT_EQ(f->Grille->texte(2, 0), "ERIC");
    EXPECT_EQ(f->Grille->texte(3, 0), "ORDY");
    for (int tour = 0; tour < 13; ++tour) {
        SCOPED_TRACE(tour);
        ASSERT_TRUE(e().TourJoueur1);
        EXPECT_EQ(f->EtiJoueur->text(), "ERIC");
        const int ordy = lignesRemplies(*f, 3);
        jouerUnTour(tour);
        if (HasFatalFailure()) return;
        // ORDY's whole turn ran inside the key press: one row more for it.
        EXPECT_EQ(lignesRemplies(*f, 3), ordy + 1);
    }
    const int t2 = totalGeneral(2), t3 = totalGeneral(3);
    EXPECT_EQ(messages.last(), t3 > t2   ? "Je suis vraiment le meilleur !!!"
                               : t2 > t3 ? "Félicitations ERIC!"
                                         : "Bravo à tous deux !");
    EXPECT_EQ(messages.count("CHOISISSEZ UNE MARQUE VALIDE !"), 3);
    EXPECT_FALSE(f->B_Lancer->isEnabled());
    EXPECT_FALSE(boites->tempsEcoule);
    verifier();
}
