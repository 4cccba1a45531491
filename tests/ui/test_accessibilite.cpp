// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads of the window, through Qt's accessibility in
// this process: the dice, the buttons, the player label and the sheet as a
// table, after a roll, a hold and a recording.
#include "test_clavier_banc.h"

#include "LecteurEcran.h"

#include <QAccessible>

using namespace feuille;

namespace {

QAccessibleInterface *acc(QObject *o) { return QAccessible::queryAccessibleInterface(o); }
QString nom(QObject *o) { return acc(o)->text(QAccessible::Name); }

struct Accessibilite : BancClavier {
    QStringList messages;

    // Alt+N opens the menu, which resets the game; Escape twice leaves it.
    void nouvellePartie() {
        touche(Qt::Key_N, Qt::AltModifier);
        ASSERT_TRUE(f->MenuNouvelle->isVisible());
        touche(Qt::Key_Escape);  // closes the menu; the menu bar keeps the focus
        ASSERT_FALSE(f->MenuNouvelle->isVisible());
        touche(Qt::Key_Escape);  // gives the focus back to the window
        ASSERT_NE(QApplication::focusWidget(), f->MenuPrincipal);
        ASSERT_TRUE(f->B_Lancer->isEnabled());
    }

    QString description(QObject *o) { return acc(o)->text(QAccessible::Description); }

    // The throw as the roll button says it.
    QString jet() {
        QStringList faces, gardes;
        for (int i = 1; i <= 5; ++i) {
            faces << QString::number(faceMontree(i));
            if (!f->marque(i)->isHidden()) gardes << QString::number(i);
        }
        return faces.join(", ") + (gardes.isEmpty() ? QString() : ", gardés " + gardes.join(", "));
    }

    // Every die says what the board shows: its number and face, and in a
    // turn whether it is held; never its tooltip.
    void verifierDes() {
        for (int i = 1; i <= 5; ++i) {
            QAccessibleInterface *d = acc(f->de(i));
            EXPECT_EQ(d->text(QAccessible::Name), QStringLiteral("Dé %1, %2").arg(i).arg(faceMontree(i)));
            EXPECT_EQ(d->role(), QAccessible::Button);
            EXPECT_TRUE(d->state().focusable);
            const QString attendue = !e().TourEnCours ? "" : f->marque(i)->isHidden() ? "libre" : "gardé";
            EXPECT_EQ(description(f->de(i)), attendue) << i;
        }
    }

    // Every cell of the table gives the sheet's text, with its role.
    void verifierFeuille() {
        QAccessibleTableInterface *t = acc(f->Grille)->tableInterface();
        ASSERT_NE(t, nullptr);
        for (int r = 0; r < 18; ++r) {
            for (int c = 0; c < 4; ++c) {
                QAccessibleInterface *cel = t->cellAt(r, c);
                ASSERT_NE(cel, nullptr);
                const QString texte = f->Grille->texte(c, r);
                const QString nom = r == 0 || c < 2 ? texte
                                                    : QStringLiteral("%1, %2").arg(f->Grille->texte(c, 0), texte.isEmpty() ? "libre" : texte);
                EXPECT_EQ(cel->text(QAccessible::Name), nom) << c << "," << r;
                const auto attendu = r == 0 ? QAccessible::ColumnHeader : c < 2 ? QAccessible::RowHeader : QAccessible::Cell;
                EXPECT_EQ(cel->role(), attendu) << c << "," << r;
                EXPECT_EQ(cel->state().selected, c >= 2 && r == f->Grille->ligneSelectionnee()) << c << "," << r;
                EXPECT_EQ(cel->parent(), acc(f->Grille));
            }
        }
        EXPECT_EQ(t->selectedRows(), QList<int>{f->Grille->ligneSelectionnee()});
    }

    // The throw rides on both buttons; the show/hide button says the sheet's look.
    void verifierBoutonsEtJoueur() {
        EXPECT_EQ(description(f->B_Lancer), e().TourEnCours ? jet() : QString());
        const QString aspect = f->Grille->isHidden() ? "feuille cachée" : "feuille affichée";
        EXPECT_EQ(description(f->BtGrille), e().TourEnCours ? aspect + ", " + jet() : aspect);
        EXPECT_EQ(nom(f->B_Lancer), f->B_Lancer->text());
        EXPECT_EQ(acc(f->B_Lancer)->state().disabled, !f->B_Lancer->isEnabled());
        EXPECT_EQ(nom(f->BtGrille), f->BtGrille->text());
        EXPECT_EQ(nom(f->EtiJoueur), f->EtiJoueur->text());
        EXPECT_EQ(acc(f->EtiJoueur)->text(QAccessible::Description), "Joueur qui doit jouer");
    }
};

}  // namespace

TEST_F(Accessibilite, LeTableauDeLaFeuille) {
    QAccessibleInterface *g = acc(f->Grille);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->role(), QAccessible::Table);
    EXPECT_EQ(g->text(QAccessible::Name), "Feuille de marque");
    QAccessibleTableInterface *t = g->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 18);
    EXPECT_EQ(t->columnCount(), 4);
    EXPECT_EQ(g->childCount(), 72);
    const struct {
        int ligne, colonne;
        const char *texte, *enTeteColonne, *enTeteLigne;
    } cas[] = {
        {0, 1, "Marque", "Marque", ""},     {0, 2, "Joueur 1", "Joueur 1", ""},
        {1, 0, "AS", "", ""},               {1, 1, "total des As", "Marque", "AS"},
        {5, 2, "Joueur 1, libre", "Joueur 1", "CINQ"},     {14, 3, "Joueur 2, libre", "Joueur 2", "YAM'S"},
        {17, 0, "TOTAL GENERAL", "", ""},   {16, 1, "", "Marque", "Sous Total"},
    };
    for (const auto &k : cas) {
        SCOPED_TRACE(testing::Message() << k.colonne << "," << k.ligne);
        QAccessibleInterface *cel = t->cellAt(k.ligne, k.colonne);
        ASSERT_NE(cel, nullptr);
        EXPECT_EQ(cel->text(QAccessible::Name), QString::fromUtf8(k.texte));
        EXPECT_EQ(g->child(k.ligne * 4 + k.colonne), cel);
        EXPECT_EQ(g->indexOfChild(cel), k.ligne * 4 + k.colonne);
        QAccessibleTableCellInterface *ci = cel->tableCellInterface();
        ASSERT_NE(ci, nullptr);
        EXPECT_EQ(ci->rowIndex(), k.ligne);
        EXPECT_EQ(ci->columnIndex(), k.colonne);
        const auto hc = ci->columnHeaderCells(), hl = ci->rowHeaderCells();
        EXPECT_EQ(hc.isEmpty() ? QString() : hc[0]->text(QAccessible::Name), QString::fromUtf8(k.enTeteColonne));
        EXPECT_EQ(hl.isEmpty() ? QString() : hl[0]->text(QAccessible::Name), QString::fromUtf8(k.enTeteLigne));
        EXPECT_EQ(cel->state().invisible, f->Grille->isHidden());
    }
    EXPECT_EQ(t->columnDescription(2), "Joueur 1");
    EXPECT_EQ(t->rowDescription(5), "CINQ");
    EXPECT_EQ(t->selectedRows(), QList<int>{17});
    EXPECT_EQ(t->selectedCellCount(), 2);
    verifierFeuille();

    // The cell under a point of the screen is the one drawn there.
    f->BtGrilleClick();
    const auto c = grille::centreCellule(3, FULL);
    QAccessibleInterface *sous = g->childAt(f->Grille->mapToGlobal(QPoint(c.x, c.y)).x(),
                                            f->Grille->mapToGlobal(QPoint(c.x, c.y)).y());
    ASSERT_NE(sous, nullptr);
    EXPECT_EQ(sous, t->cellAt(FULL, 3));
    EXPECT_TRUE(sous->rect().contains(f->Grille->mapToGlobal(QPoint(c.x, c.y))));
}

// After each kind of change the descriptions follow: start, roll, hold,
// recording, the other player's turn.
TEST_F(Accessibilite, LesDescriptionsSuiventLaPartie) {
    {
        SCOPED_TRACE("au démarrage");
        verifierDes();
        EXPECT_EQ(nom(f->De3), "Dé 3, 1");
        verifierBoutonsEtJoueur();
        EXPECT_TRUE(acc(f->B_Lancer)->state().disabled);
        verifierFeuille();
    }
    nouvellePartie();
    f->B_LancerClick();
    {
        SCOPED_TRACE("après un lancer");
        verifierDes();
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(nom(f->de(i)), QStringLiteral("Dé %1, %2").arg(i).arg(e().Des[i]));
        verifierBoutonsEtJoueur();
        EXPECT_EQ(nom(f->B_Lancer), "Lancer de dés 2");
        EXPECT_EQ(nom(delai), "Les dés roulent");
    }
    touche(Qt::Key_2);
    acc(f->De4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    {
        SCOPED_TRACE("après deux gardes, au clavier et par l'action d'un lecteur d'écran");
        EXPECT_EQ(gardes(), (std::array<bool, 6>{false, false, true, false, true, false}));
        verifierDes();
        const QString attendu = QStringLiteral("%1, %2, %3, %4, %5, gardés 2, 4")
                                    .arg(e().Des[1]).arg(e().Des[2]).arg(e().Des[3]).arg(e().Des[4]).arg(e().Des[5]);
        EXPECT_EQ(description(f->B_Lancer), attendu);
        QCoreApplication::processEvents();
        EXPECT_EQ(f->lecteur()->derniereAnnonce(), attendu) << "the holds are told";
        EXPECT_EQ(acc(f->De1)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                  QStringList{"1"});
    }
    f->B_LancerClick();
    f->BtGrilleClick();
    focaliser(f->Grille);
    allerALaLigne(CHANCE);
    {
        SCOPED_TRACE("la feuille au clavier");
        verifierFeuille();
        QAccessibleInterface *focus = acc(f->Grille)->focusChild();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus, acc(f->Grille)->tableInterface()->cellAt(CHANCE, 2));
        EXPECT_TRUE(focus->state().focused);
        EXPECT_EQ(nom(f->BtGrille), "Masquer les Scores");
    }
    touche(Qt::Key_Return);
    {
        SCOPED_TRACE("après une inscription");
        const QString somme = QString::number(e().Des[1] + e().Des[2] + e().Des[3] + e().Des[4] + e().Des[5]);
        EXPECT_EQ(f->Grille->texte(2, CHANCE), somme);
        verifierFeuille();
        EXPECT_EQ(acc(f->Grille)->tableInterface()->cellAt(CHANCE, 2)->text(QAccessible::Name), "Joueur 1, " + somme);
        verifierDes();
        verifierBoutonsEtJoueur();
        EXPECT_EQ(nom(f->EtiJoueur), "Joueur 2");
        EXPECT_EQ(nom(f->B_Lancer), "Lancer de dés 1");
        // The focus now follows the second player's column; the hand-over is told.
        EXPECT_EQ(acc(f->Grille)->focusChild(), acc(f->Grille)->tableInterface()->cellAt(CHANCE, 3));
        EXPECT_EQ(f->lecteur()->derniereAnnonce(),
                  QStringLiteral("Joueur 1, %1 en CHANCE, total %1. À Joueur 2 de jouer.").arg(somme));
    }
}

// Message boxes carry their title, their text is read once (from the box);
// the pause window its text.
TEST_F(Accessibilite, BoitesEtPauseSeNomment) {
    QStringList vus;
    std::unique_ptr<PiloteModal> p(new PiloteModal(estBoiteMessage, [&](QWidget *w) {
        vus << nom(w) << acc(w)->text(QAccessible::Description);
        cliquerOk(w);
    }));
    nouvellePartie();
    f->B_LancerClick();
    f->BtGrilleClick();
    cliquerCase(2, PRIME);
    EXPECT_EQ(vus, (QStringList{"Avertissement", ""}));

    std::unique_ptr<PiloteModal> noms(taperNoms("zoe", ""));
    ouvrirMenuNouvelle(f->N1Joueur1);
    f->B_LancerClick();
    f->BtGrilleClick();
    cliquerCase(2, CHANCE);  // ORDY plays its turn and thinks after each roll
    EXPECT_EQ(nom(delai), "Je réfléchis...");
    // Back to the player, once the window is active again: ORDY's score and whose turn it is.
    const QRegularExpression attendue("^ORDY, [1-6](, [1-6]){4}\\. \\d+ en .+, total \\d+\\. À ZOE de jouer\\.$");
    f->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return attendue.match(f->lecteur()->derniereAnnonce()).hasMatch(); }))
        << f->lecteur()->derniereAnnonce().toStdString();
}

// The dice come after the two buttons in the Tab order, so that the focus a
// sighted player sees at start-up and on the first Tab stays where it was.
TEST_F(Accessibilite, LesDesPrennentLeFocusApresLesBoutons) {
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    EXPECT_EQ(QApplication::focusWidget(), f->BtGrille);
    nouvellePartie();
    QList<QWidget *> vus;
    for (int i = 0; i < 8; ++i) {
        vus << QApplication::focusWidget();
        touche(Qt::Key_Tab);
    }
    const QList<QWidget *> attendus = {f->BtGrille, f->De1, f->De2, f->De3, f->De4, f->De5, f->B_Lancer, f->BtGrille};
    EXPECT_EQ(vus, attendus);
    vus.clear();
    for (int i = 0; i < 4; ++i) {
        touche(Qt::Key_Tab, Qt::ShiftModifier);
        vus << QApplication::focusWidget();
    }
    EXPECT_EQ(vus, (QList<QWidget *>{f->BtGrille, f->B_Lancer, f->De5, f->De4}));

    // On a focused die: Space holds it; a number holds that die and goes to it; the arrows only move.
    f->B_LancerClick();
    touche(Qt::Key_Space);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->lecteur()->derniereAnnonce(), "gardé") << "the focused die tells its own hold";
    touche(Qt::Key_2);
    EXPECT_EQ(QApplication::focusWidget(), f->De2);
    touche(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), f->De3);
    EXPECT_EQ(gardes(), (std::array<bool, 6>{false, false, true, false, true, false}));
    EXPECT_EQ(e().NumLancer, 2) << "Space on a die does not roll";
    verifierDes();
    QCoreApplication::processEvents();
    const QString avant = f->lecteur()->derniereAnnonce();
    nouvellePartie();
    QCoreApplication::processEvents();
    EXPECT_NE(f->lecteur()->derniereAnnonce(), avant);
    EXPECT_EQ(f->lecteur()->derniereAnnonce(), "La partie recommence. À Joueur 1 de jouer.")
        << "the menu closed on a game in progress tells its reset, and no hold";
}
