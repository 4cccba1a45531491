// What a screen reader reads of the window, through Qt's accessibility in
// this process: the dice, the buttons, the player label and the sheet as a
// table, after a roll, a hold and a recording.
#include "test_clavier_banc.h"

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

    QString nomAttenduDe(int i) {
        QString n = QStringLiteral("Dé %1 : %2").arg(i).arg(faceMontree(i));
        if (!f->marque(i)->isHidden()) n += QStringLiteral(", gardé");
        return n;
    }

    // Every die says what the board shows: its number, its face, its hold.
    void verifierDes() {
        for (int i = 1; i <= 5; ++i) {
            QAccessibleInterface *d = acc(f->de(i));
            EXPECT_EQ(d->text(QAccessible::Name), nomAttenduDe(i));
            EXPECT_EQ(d->role(), QAccessible::Button);
            EXPECT_EQ(d->text(QAccessible::Description), "Cliquez pour garder ce dé");
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
                EXPECT_EQ(cel->text(QAccessible::Name), f->Grille->texte(c, r)) << c << "," << r;
                const auto attendu = r == 0 ? QAccessible::ColumnHeader : c < 2 ? QAccessible::RowHeader : QAccessible::Cell;
                EXPECT_EQ(cel->role(), attendu) << c << "," << r;
                EXPECT_EQ(cel->state().selected, c >= 2 && r == f->Grille->ligneSelectionnee()) << c << "," << r;
                EXPECT_EQ(cel->parent(), acc(f->Grille));
            }
        }
        EXPECT_EQ(t->selectedRows(), QList<int>{f->Grille->ligneSelectionnee()});
    }

    void verifierBoutonsEtJoueur() {
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
        {0, 1, "Marque", "", ""},           {0, 2, "Joueur 1", "", ""},
        {1, 0, "AS", "", ""},               {1, 1, "total des As", "Marque", "AS"},
        {5, 2, "", "Joueur 1", "CINQ"},     {14, 3, "", "Joueur 2", "YAM'S"},
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
        EXPECT_EQ(nom(f->De3), "Dé 3 : 1");
        verifierBoutonsEtJoueur();
        EXPECT_TRUE(acc(f->B_Lancer)->state().disabled);
        verifierFeuille();
    }
    nouvellePartie();
    f->B_LancerClick();
    {
        SCOPED_TRACE("après un lancer");
        verifierDes();
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(nom(f->de(i)), QStringLiteral("Dé %1 : %2").arg(i).arg(e().Des[i]));
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
        EXPECT_EQ(nom(f->De2), QStringLiteral("Dé 2 : %1, gardé").arg(e().Des[2]));
        EXPECT_EQ(nom(f->De4), QStringLiteral("Dé 4 : %1, gardé").arg(e().Des[4]));
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
        EXPECT_FALSE(f->Grille->texte(2, CHANCE).isEmpty());
        verifierFeuille();
        EXPECT_EQ(acc(f->Grille)->tableInterface()->cellAt(CHANCE, 2)->text(QAccessible::Name),
                  QString::number(e().Des[1] + e().Des[2] + e().Des[3] + e().Des[4] + e().Des[5]));
        verifierDes();
        for (int i = 1; i <= 5; ++i) EXPECT_FALSE(nom(f->de(i)).contains("gardé"));
        verifierBoutonsEtJoueur();
        EXPECT_EQ(nom(f->EtiJoueur), "Joueur 2");
        EXPECT_EQ(nom(f->B_Lancer), "Lancer de dés 1");
        // The focus now follows the second player's column.
        EXPECT_EQ(acc(f->Grille)->focusChild(), acc(f->Grille)->tableInterface()->cellAt(CHANCE, 3));
    }
}

// Message boxes carry their title and text; the pause window its text.
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
    EXPECT_EQ(vus, (QStringList{"Avertissement", "CHOISISSEZ UNE MARQUE VALIDE !"}));

    std::unique_ptr<PiloteModal> noms(taperNoms("zoe", ""));
    ouvrirMenuNouvelle(f->N1Joueur1);
    f->B_LancerClick();
    f->BtGrilleClick();
    cliquerCase(2, CHANCE);  // ORDY plays its turn and thinks after each roll
    EXPECT_EQ(nom(delai), "Je réfléchis...");
}
