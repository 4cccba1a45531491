// SPDX-License-Identifier: GPL-3.0-or-later
// Playing with the keyboard alone: the keys 1 to 5 on the dice, the sheet's
// arrows and Enter, Enter on the window, and whole games by key presses.
#include "test_clavier_banc.h"

using namespace feuille;

namespace {

struct Clavier : BancClavier {
    QStringList messages;

    Clavier() {
        f->remplacementMessage = [this](GenreMessage, const QString &t) { messages << t; };
    }

    void nouvellePartie() {
        ouvrirMenuNouvelle();
        ASSERT_TRUE(f->B_Lancer->isEnabled());
    }
};

// Where the focus is when a digit is pressed.
enum class Focus { Lancer, BoutonGrille, Feuille, Aucun };

}  // namespace

// 1..5 (and the keypad's) hold and release dice 1..5 as a click does, with
// the focus anywhere in the window, and do nothing before the first roll.
TEST_F(Clavier, ChiffresGardentLesDesOuQueSoitLeFocus) {
    const struct {
        Focus focus;
        Qt::KeyboardModifiers mods;
    } cas[] = {
        {Focus::Lancer, Qt::NoModifier},       {Focus::BoutonGrille, Qt::NoModifier},
        {Focus::Feuille, Qt::NoModifier},      {Focus::Aucun, Qt::NoModifier},
        {Focus::Lancer, Qt::KeypadModifier},   {Focus::Feuille, Qt::KeypadModifier},
    };
    for (const auto &k : cas) {
        SCOPED_TRACE(testing::Message() << "focus " << int(k.focus) << " pavé " << (k.mods != Qt::NoModifier));
        nouvellePartie();
        auto placerFocus = [&] {
            switch (k.focus) {
            case Focus::Lancer: focaliser(f->B_Lancer); break;
            case Focus::BoutonGrille: focaliser(f->BtGrille); break;
            case Focus::Feuille:
                if (f->Grille->isHidden()) f->BtGrilleClick();
                focaliser(f->Grille);
                break;
            case Focus::Aucun: f->centralWidget()->setFocus(); break;
            }
        };
        placerFocus();
        for (int i = 1; i <= 5; ++i) touche(Qt::Key_0 + i, k.mods);
        EXPECT_EQ(gardes(), (std::array<bool, 6>{})) << "a key before the first roll held a die";

        f->B_LancerClick();
        placerFocus();
        const auto des = e().Des;
        for (int i = 1; i <= 5; ++i) {
            auto attendu = gardes();
            attendu[static_cast<std::size_t>(i)] = true;
            touche(Qt::Key_0 + i, k.mods);
            EXPECT_EQ(gardes(), attendu) << "key " << i;
        }
        touche(Qt::Key_2, k.mods);
        touche(Qt::Key_4, k.mods);
        EXPECT_EQ(gardes(), (std::array<bool, 6>{false, true, false, true, false, true}));
        EXPECT_EQ(e().Des, des) << "a hold changed the dice";
        EXPECT_EQ(e().NumLancer, 2);
        EXPECT_TRUE(messages.isEmpty());
    }
}

// Digits typed into the name dialog are letters of the names, not holds.
TEST_F(Clavier, ChiffresDansLeDialogueDesNomsRestentDansLesChamps) {
    std::unique_ptr<PiloteModal> noms(taperNoms("r2d2", "c3po"));
    touche(Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(f->MenuNouvelle->isVisible());
    touche(Qt::Key_Down);
    touche(Qt::Key_Return);
    EXPECT_EQ(noms->traites, 1);
    EXPECT_EQ(QString::fromStdString(e().NomJoueur1), "R2D2");
    EXPECT_EQ(QString::fromStdString(e().NomJoueur2), "C3PO");
    EXPECT_FALSE(e().ContreOrdi);
    EXPECT_EQ(gardes(), (std::array<bool, 6>{}));
}

// The sheet's arrows move its selection over rows 1 to 17 and stop at the ends.
TEST_F(Clavier, FlechesDeLaFeuille) {
    nouvellePartie();
    f->BtGrilleClick();
    focaliser(f->Grille);
    ASSERT_EQ(f->Grille->ligneSelectionnee(), 17);
    const struct {
        int touche;
        int attendue;
    } suite[] = {
        {Qt::Key_Down, 17}, {Qt::Key_Up, 16},     {Qt::Key_Up, 15},     {Qt::Key_Home, 1},
        {Qt::Key_Up, 1},    {Qt::Key_Down, 2},    {Qt::Key_PageDown, 17}, {Qt::Key_PageUp, 1},
        {Qt::Key_End, 17},  {Qt::Key_Left, 17},   {Qt::Key_Right, 17},
    };
    for (const auto &k : suite) {
        touche(k.touche);
        EXPECT_EQ(f->Grille->ligneSelectionnee(), k.attendue) << "key " << std::hex << k.touche;
    }
    EXPECT_EQ(QApplication::focusWidget(), f->Grille);
    EXPECT_TRUE(messages.isEmpty());
}

// Enter or Space on the selected row chooses it as a click on the row does:
// the same recordings and the same refusals.
TEST_F(Clavier, EntreeOuEspaceSurLaFeuilleChoisitLaLigne) {
    const struct {
        const char *nom;
        int touche;
        bool lancer;      // a roll before the key
        int dejaPrise;    // a row already recorded for the player (0: none)
        int ligne;        // the row selected
        bool inscrit;     // recorded in the player's column
        bool avertissement;
    } cas[] = {
        {"avant le premier lancer", Qt::Key_Return, false, 0, CHANCE, false, false},
        {"ligne libre, Entrée", Qt::Key_Return, true, 0, CHANCE, true, false},
        {"ligne libre, Espace", Qt::Key_Space, true, 0, AS, true, false},
        {"Entrée du pavé", Qt::Key_Enter, true, 0, FULL, true, false},
        {"ligne de total", Qt::Key_Return, true, 0, TOTAL_GENERAL, false, true},
        {"prime", Qt::Key_Space, true, 0, PRIME, false, true},
        {"ligne déjà prise", Qt::Key_Return, true, BRELAN, BRELAN, false, true},
    };
    for (const auto &k : cas) {
        SCOPED_TRACE(k.nom);
        nouvellePartie();
        messages.clear();
        if (k.dejaPrise) {  // the first player records it, then the second passes a turn
            f->B_LancerClick();
            const auto p = grille::centreCellule(2, k.dejaPrise);
            f->jeu().GrilleMouseUp(p.x, p.y);
            f->B_LancerClick();
            const auto q = grille::centreCellule(3, CHANCE);
            f->jeu().GrilleMouseUp(q.x, q.y);
            ASSERT_TRUE(e().TourJoueur1);
        }
        if (k.lancer) f->B_LancerClick();
        if (f->Grille->isHidden()) f->BtGrilleClick();
        focaliser(f->Grille);
        allerALaLigne(k.ligne);
        const QString avant = f->Grille->texte(2, k.ligne);
        const int rempliesAvant = lignesRemplies(*f, 2);
        const bool tourAvant = e().TourJoueur1;
        const auto des = e().Des;
        const auto faces = e().NbFaces;

        touche(k.touche, k.touche == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        EXPECT_EQ(messages, k.avertissement ? QStringList{"CHOISISSEZ UNE MARQUE VALIDE !"} : QStringList{});
        if (k.inscrit) {
            EXPECT_EQ(f->Grille->texte(2, k.ligne), QString::number(pointsInscrits(k.ligne, des, faces)));
            EXPECT_EQ(lignesRemplies(*f, 2), rempliesAvant + 1);
            EXPECT_FALSE(e().TourJoueur1);
            EXPECT_TRUE(f->Grille->texte(3, k.ligne).isEmpty()) << "recorded in the other column";
        } else {
            EXPECT_EQ(f->Grille->texte(2, k.ligne), avant);
            EXPECT_EQ(lignesRemplies(*f, 2), rempliesAvant);
            EXPECT_EQ(e().TourJoueur1, tourAvant);
        }
        verifier();
    }
}

// The second player's Enter records in column 3, whatever the row's cells.
TEST_F(Clavier, EntreeDuSecondJoueurInscritDansSaColonne) {
    nouvellePartie();
    f->B_LancerClick();
    const auto p = grille::centreCellule(2, YAMS);
    f->jeu().GrilleMouseUp(p.x, p.y);
    ASSERT_FALSE(e().TourJoueur1);
    f->B_LancerClick();
    f->BtGrilleClick();
    focaliser(f->Grille);
    allerALaLigne(YAMS);  // filled in column 2, free in column 3
    const auto des = e().Des;
    const auto faces = e().NbFaces;
    touche(Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(f->Grille->texte(3, YAMS), QString::number(pointsInscrits(YAMS, des, faces)));
    EXPECT_TRUE(e().TourJoueur1);
}

// Enter presses the focused button; elsewhere it presses BtGrille while it is
// the default button (the sheet hidden), and nothing while the sheet shows.
TEST_F(Clavier, EntreePresseLeBoutonFocaliseSinonLeBoutonParDefaut) {
    nouvellePartie();
    focaliser(f->B_Lancer);
    touche(Qt::Key_Return);
    EXPECT_EQ(e().NumLancer, 2) << "Enter on the roll button rolls";
    touche(Qt::Key_Space);
    EXPECT_EQ(e().NumLancer, 3) << "Space on the roll button rolls";

    f->centralWidget()->setFocus();
    ASSERT_TRUE(f->Grille->isHidden());
    touche(Qt::Key_Return);
    EXPECT_FALSE(f->Grille->isHidden()) << "Enter off the buttons presses the default BtGrille";
    EXPECT_EQ(f->BtGrille->text(), "Masquer les Scores");
    f->centralWidget()->setFocus();
    touche(Qt::Key_Return);
    EXPECT_FALSE(f->Grille->isHidden()) << "BtGrille is no default button while the sheet shows";
    focaliser(f->BtGrille);
    touche(Qt::Key_Return);
    EXPECT_TRUE(f->Grille->isHidden()) << "Enter on BtGrille hides the sheet";
    EXPECT_EQ(e().NumLancer, 3);
}

// The sheet's mouse stays as it was: a press selects, a release chooses.
TEST_F(Clavier, LaSourisGardeSonEffetApresLeClavier) {
    nouvellePartie();
    f->B_LancerClick();
    f->BtGrilleClick();
    focaliser(f->Grille);
    allerALaLigne(AS);
    cliquerCase(1, CHANCE);  // a heading cell: selects nothing, chooses the row
    EXPECT_EQ(f->Grille->ligneSelectionnee(), AS);
    EXPECT_FALSE(f->Grille->texte(2, CHANCE).isEmpty());
    EXPECT_TRUE(f->Grille->texte(2, AS).isEmpty());
}
