// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls where the game puts them, and each kind of
// click doing what the game says, through the real widgets.
#include "BancFenetre.h"

#include "RouteurAide.h"
#include "VisionneuseAide.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>

using namespace feuille;

TEST_F(BancFenetre, ChaqueControleASaPlace) {
    struct Cas { QWidget *w; QRect r; bool visible; const char *bulle; } cas[] = {
        {f->Plateau, {32, 0, 577, 376}, true, ""},
        {f->De1, {216, 56, 86, 86}, true, "Cliquez pour garder ce dé"},
        {f->De2, {112, 152, 86, 86}, true, "Cliquez pour garder ce dé"},
        {f->De3, {264, 192, 86, 86}, true, "Cliquez pour garder ce dé"},
        {f->De4, {416, 168, 86, 86}, true, "Cliquez pour garder ce dé"},
        {f->De5, {352, 64, 86, 86}, true, "Cliquez pour garder ce dé"},
        {f->Shape1, {248, 144, 17, 17}, false, ""},
        {f->Shape2, {144, 240, 17, 17}, false, ""},
        {f->Shape3, {296, 280, 17, 17}, false, ""},
        {f->Shape4, {448, 256, 17, 17}, false, ""},
        {f->Shape5, {384, 152, 17, 17}, false, ""},
        {f->B_Lancer, {16, 384, 129, 33}, true, ""},
        {f->Grille, {122, 8, 391, 361}, false, "Cliquez sur la ligne de votre choix"},
        {f->BtGrille, {160, 384, 129, 33}, true, "Afficher/Masquer la grille"},
    };
    for (const auto &k : cas) {
        EXPECT_EQ(k.w->geometry(), k.r) << k.w->metaObject()->className() << " " << k.r.x() << "," << k.r.y();
        EXPECT_EQ(!k.w->isHidden(), k.visible) << k.r.x() << "," << k.r.y();
        EXPECT_EQ(k.w->toolTip(), QString::fromUtf8(k.bulle));
    }
    // Each marker lies 2 px below its die, 2.5 px left of its centre.
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(f->marque(i)->y(), f->de(i)->geometry().bottom() + 1 + 2);
        // Centres as x + w / 2: die 216 + 43 = 259, marker 248 + 8.5 = 256.5.
        EXPECT_DOUBLE_EQ(f->marque(i)->x() + 8.5, f->de(i)->x() + 43.0 - 2.5);
    }
    EXPECT_EQ(f->EtiJoueur->pos(), QPoint(352, 384));
    EXPECT_EQ(f->EtiJoueur->font().pixelSize(), 24);
    EXPECT_TRUE(f->EtiJoueur->font().italic());
    EXPECT_EQ(f->EtiJoueur->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(f->centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_EQ(f->StatusBar->height(), 19);
    EXPECT_EQ(f->StatusBar->geometry().bottom(), f->centralWidget()->height() - 1);
    EXPECT_EQ(f->StatusBar->width(), f->centralWidget()->width());
    EXPECT_TRUE(f->StatusBar->currentMessage().isEmpty());
    EXPECT_EQ(f->windowTitle(), "KUBRIX");
    EXPECT_EQ(f->Plateau->pixmap().size(), QSize(577, 376));
    for (int v = 1; v <= 6; ++v) EXPECT_EQ(f->faceStockee(v).size(), QSize(86, 86));

    // Buttons and grid lie above the pictures.
    const auto enfants = f->centralWidget()->children();
    EXPECT_GT(enfants.indexOf(f->Grille), enfants.indexOf(f->Shape5));
    EXPECT_GT(enfants.indexOf(f->Shape1), enfants.indexOf(f->De5));
    EXPECT_GT(enfants.indexOf(f->De1), enfants.indexOf(f->Plateau));
}

TEST_F(BancFenetre, LeMenu) {
    const QList<QAction *> barre = f->MenuPrincipal->actions();
    ASSERT_EQ(barre.size(), 3);
    EXPECT_EQ(barre[0]->text(), "&Nouvelle partie");
    EXPECT_EQ(barre[1]->text(), "&Aide");
    EXPECT_EQ(barre[2]->text(), "&Quitter");
    QStringList nouvelle, aide;
    for (QAction *a : f->MenuNouvelle->actions()) nouvelle << a->text();
    for (QAction *a : f->MenuAide->actions()) aide << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(nouvelle, QStringList({"1 Joueur", "2 Joueurs"}));
    EXPECT_EQ(aide, QStringList({"Règles du jeu", "Son", "-", "A Propos"}));
    EXPECT_TRUE(f->MenuSon->isChecked());
    for (QAction *a : f->MenuNouvelle->actions() + f->MenuAide->actions() + barre) {
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
        EXPECT_TRUE(a->isEnabled());
    }
}

TEST_F(BancFenetre, DemarrageEtPremiereOuverture) {
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(faceMontree(i), 1) << "five aces";
    EXPECT_FALSE(f->B_Lancer->isEnabled());
    EXPECT_EQ(f->B_Lancer->text(), "Lancer de dés 1");
    EXPECT_EQ(f->BtGrille->text(), "Afficher les Scores");
    EXPECT_TRUE(f->BtGrille->isDefault());
    EXPECT_EQ(f->Grille->ligneSelectionnee(), 17);
    EXPECT_EQ(f->Grille->texte(0, 17), "TOTAL GENERAL");
    EXPECT_EQ(f->EtiJoueur->text(), "Joueur 1");

    cliquer(f->B_Lancer);  // disabled: no roll
    EXPECT_TRUE(pauses.isEmpty());

    ouvrirMenuNouvelle();
    EXPECT_TRUE(f->B_Lancer->isEnabled());
    EXPECT_FALSE(e().ContreOrdi);
}

TEST_F(BancFenetre, LancerGarderEtInscrire) {
    ouvrirMenuNouvelle();
    cliquer(f->De2);  // before the first roll: nothing
    EXPECT_TRUE(f->Shape2->isHidden());

    f->remplacementHorloge = [] { return 12345678; };
    cliquer(f->B_Lancer);
    ASSERT_EQ(pauses.size(), 5);
    for (const auto &p : pauses) {
        EXPECT_EQ(p.legende, " ");
        EXPECT_EQ(p.texte, "Les dés roulent");
        EXPECT_EQ(p.intervalleMs, 500);
    }
    EXPECT_EQ(f->sons()->demandes(), QStringList({"LANCER"}));
    EXPECT_EQ(f->B_Lancer->text(), "Lancer de dés 2");
    const int attendu[6] = {0, 1, 1, 3, 6, 6};  // the draws of 12345678
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(faceMontree(i), attendu[i]);

    cliquer(f->De4);
    cliquer(f->De5);
    cliquer(f->De5);
    cliquer(f->De3, Qt::RightButton);  // only the left button clicks
    EXPECT_FALSE(f->Shape4->isHidden());
    EXPECT_TRUE(f->Shape5->isHidden());
    EXPECT_TRUE(f->Shape3->isHidden());

    // Show the sheet, right-click the row name "SIX": scored in column 2.
    cliquer(f->BtGrille);
    EXPECT_TRUE(f->Grille->isVisible());
    EXPECT_EQ(f->BtGrille->text(), "Masquer les Scores");
    EXPECT_FALSE(f->BtGrille->isDefault());
    cliquerCase(0, SIX, Qt::RightButton);
    EXPECT_EQ(f->Grille->texte(2, SIX), "12");
    EXPECT_EQ(f->Grille->texte(2, TOTAL_GENERAL), "12");
    EXPECT_EQ(f->EtiJoueur->text(), "Joueur 2");
    EXPECT_EQ(f->B_Lancer->text(), "Lancer de dés 1");
    EXPECT_TRUE(f->Shape4->isHidden());
    EXPECT_EQ(faceMontree(5), 6) << "the dice keep the throw";
}

TEST_F(BancFenetre, LesClicsRefusesSurLaFeuille) {
    ouvrirMenuNouvelle();
    cliquer(f->B_Lancer);
    cliquer(f->BtGrille);
    cliquerCase(3, AS);  // the other player's cell of a free row: scored in column 2
    EXPECT_FALSE(f->Grille->texte(2, AS).isEmpty());
    cliquer(f->B_Lancer);
    cliquer(f->BtGrille);

    // Warnings, in real message boxes: a total row, the heading.
    QStringList titres, textes;
    QList<QMessageBox::Icon> icones;
    PiloteModal pilote(estBoiteMessage, [&](QWidget *w) {
        auto *b = qobject_cast<QMessageBox *>(w);
        titres << b->windowTitle();
        textes << b->text();
        icones << b->icon();
        EXPECT_EQ(b->buttons().size(), 1);
        cliquerOk(w);
    }, 3);
    cliquerCase(2, SOUS_TOTAL_HAUT);
    cliquerCase(0, 0);
    cliquerCase(1, TOTAL_GENERAL, Qt::MiddleButton);
    EXPECT_TRUE(pilote.fini());
    EXPECT_FALSE(pilote.tempsEcoule);
    EXPECT_EQ(titres, QStringList(3, "Avertissement"));
    EXPECT_EQ(textes, QStringList(3, "CHOISISSEZ UNE MARQUE VALIDE !"));
    for (auto i : icones) EXPECT_EQ(i, QMessageBox::Warning);
    EXPECT_TRUE(e().TourEnCours);

    // A point on the lines past the last cells chooses nothing.
    QTest::mouseClick(f->Grille, Qt::LeftButton, {}, QPoint(389, 100));
    EXPECT_TRUE(e().TourEnCours);
}

TEST_F(BancFenetre, GarderLesCinqDesDonneLeMessageSimple) {
    ouvrirMenuNouvelle();
    cliquer(f->B_Lancer);
    for (int i = 1; i <= 5; ++i) cliquer(f->de(i));
    QString titre, texte;
    QMessageBox::Icon icone = QMessageBox::Warning;
    PiloteModal pilote(estBoiteMessage, [&](QWidget *w) {
        auto *b = qobject_cast<QMessageBox *>(w);
        titre = b->windowTitle();
        texte = b->text();
        icone = b->icon();
        cliquerOk(w);
    });
    cliquer(f->B_Lancer);
    EXPECT_EQ(titre, "KUBRIX");
    EXPECT_EQ(texte, "Vous avez décidé de garder tous les dés !");
    EXPECT_EQ(icone, QMessageBox::NoIcon);
    EXPECT_EQ(e().NumLancer, 2);
}

TEST_F(BancFenetre, LeSonSeCoupeEtSeRemet) {
    ouvrirMenuNouvelle();
    f->MenuSon->trigger();
    EXPECT_FALSE(f->MenuSon->isChecked());
    cliquer(f->B_Lancer);
    EXPECT_TRUE(f->sons()->demandes().isEmpty());
    EXPECT_EQ(pauses.size(), 5) << "a silent roll is animated all the same";
    f->MenuSon->trigger();
    EXPECT_TRUE(f->MenuSon->isChecked());
    cliquer(f->B_Lancer);
    EXPECT_EQ(f->sons()->demandes(), QStringList({"LANCER"}));
}

TEST_F(BancFenetre, LesNomsDeDeuxJoueurs) {
    {
        std::unique_ptr<PiloteModal> p(repondreNoms("anne", "bob"));
        ouvrirMenuNouvelle(f->N2Joueurs1);
        EXPECT_TRUE(p->fini());
    }
    EXPECT_EQ(f->Grille->texte(2, 0), "ANNE");
    EXPECT_EQ(f->Grille->texte(3, 0), "BOB");
    EXPECT_EQ(f->EtiJoueur->text(), "ANNE");
    {
        std::unique_ptr<PiloteModal> p(repondreNoms("x", "y", false));
        ouvrirMenuNouvelle(f->N1Joueur1);
        EXPECT_TRUE(p->fini());
    }
    EXPECT_EQ(f->Grille->texte(2, 0), "Joueur 1");
    EXPECT_EQ(f->Grille->texte(3, 0), "ORDY");
    EXPECT_TRUE(e().ContreOrdi);
}

TEST_F(BancFenetre, LAProposNeChangeRienDuJeu) {
    ouvrirMenuNouvelle();
    cliquer(f->B_Lancer);
    const EtatJeu avant = e();
    PiloteModal p([](QWidget *w) { return qobject_cast<TAboutBox *>(w) != nullptr; },
                  [](QWidget *w) { qobject_cast<TAboutBox *>(w)->accept(); });
    f->MenuApropos->trigger();
    EXPECT_TRUE(p.fini());
    EXPECT_EQ(e().Des, avant.Des);
    EXPECT_EQ(e().NumLancer, avant.NumLancer);
    EXPECT_TRUE(f->B_Lancer->isEnabled());
}

TEST_F(BancFenetre, QuitterFermeLaFenetre) {
    ouvrirMenuNouvelle();
    cliquer(f->B_Lancer);
    f->MenuQuitter->trigger();
    EXPECT_FALSE(f->isVisible());
}

TEST_F(BancFenetre, F1EtReglesOuvrentLAideAuBonSujet) {
    const QString dossierAide = QStringLiteral(KUBRIX_AIDE);
    f->routeurAide()->definirDossiers({dossierAide});
    auto sujet = [&] {
        VisionneuseAide *v = f->routeurAide()->visionneuse();
        return v ? v->texte()->source().fragment() : QStringLiteral("(pas de visionneuse)");
    };
    f->activateWindow();
    QTest::keyClick(f->B_Lancer, Qt::Key_F1);
    EXPECT_EQ(sujet(), "ctx1");
    f->MenuRegles->trigger();
    EXPECT_EQ(sujet(), "ctx2");
    EXPECT_TRUE(f->routeurAide()->visionneuse()->isVisible());
}

// The status bar as drawn: a strip of the system's colours along the bottom
// edge, 19 px high, across the whole width, over the navy surface.
TEST_F(BancFenetre, LaBarreDEtatSeVoitAuxCouleursDuSysteme) {
    f->showMaximized();
    QApplication::processEvents();
    const QImage image = f->grab().toImage();
    const QRect surface(f->centralWidget()->mapTo(f.get(), QPoint(0, 0)), f->centralWidget()->size());
    ASSERT_GT(surface.width(), 609);  // wider than the controls: the right edge is bare surface
    const QColor systeme = QApplication::palette().color(QPalette::Window);
    ASSERT_NE(systeme, QColor(0, 0, 128));
    int autres = 0;
    for (int y = surface.bottom() - 18; y <= surface.bottom(); ++y)
        for (int x = surface.left(); x <= surface.right(); ++x)
            if (image.pixelColor(x, y) != systeme) ++autres;
    EXPECT_EQ(autres, 0) << "pixels of the bar not in the system's colour";
    EXPECT_EQ(image.pixelColor(surface.right(), surface.bottom() - 19), QColor(0, 0, 128)) << "the bar is 19 px high";
}

// Maximised at start, no minimise or maximise button; the dialogs fixed.
// Restored, the window holds every control and may be maximised again: a
// window manager refuses that to a window of fixed size.
TEST_F(BancFenetre, CadresFixesSansBoutonAgrandir) {
    f->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(f->frameGeometry(), f->screen()->availableGeometry()) << "maximised, it fills the screen";
    f->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f->isMaximized(); }, 10000));
    EXPECT_GE(f->centralWidget()->width(), 609);
    EXPECT_GE(f->centralWidget()->height(), 436) << "the status bar over the buttons";
    EXPECT_NE(f->minimumSize(), f->maximumSize());
    f->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f->frameGeometry() == f->screen()->availableGeometry(); }, 10000));
    QWidget *fenetres[] = {f.get(), aboutBox, delai, chNom};
    for (QWidget *w : fenetres) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
        if (w != f.get()) {
            EXPECT_EQ(w->minimumSize(), w->maximumSize());
            EXPECT_TRUE(w->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
        }
    }
}

// The second click of a double-click is no click: a double-click holds a die.
TEST_F(BancFenetre, UnDoubleClicSurUnDeLeGardeUneFois) {
    ouvrirMenuNouvelle();
    cliquer(f->B_Lancer);
    QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, f->De2->mapTo(f.get(), f->De2->rect().center()));
    EXPECT_FALSE(f->Shape2->isHidden());
    cliquer(f->De2);
    EXPECT_TRUE(f->Shape2->isHidden()) << "a click after it still toggles";
}
