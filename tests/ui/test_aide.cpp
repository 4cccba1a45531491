// SPDX-License-Identifier: GPL-3.0-or-later
// F1 and "Règles du jeu": which topic of KUBRIX.HLP opens from where, the viewer's
// navigation, and what happens when the help file is missing.
#include "Apropos.h"
#include "Attente.h"
#include "ChoixNom.h"
#include "PiloteModal.h"
#include "RouteurAide.h"
#include "VisionneuseAide.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

// The help file of the source tree, not a copy.
QString dossierAideSource() {
    return QStringLiteral(KUBRIX_AIDE);
}

// y of the block holding the anchor `nom` in the document, or -1.
int positionAncre(QTextDocument *document, const QString &nom) {
    for (QTextBlock bloc = document->begin(); bloc.isValid(); bloc = bloc.next())
        for (auto it = bloc.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(nom))
                return qRound(document->documentLayout()->blockBoundingRect(bloc).top());
    return -1;
}

// Which topic the reader sees at the top of the viewer: 0 the start of the file,
// 1 to 3 a topic, -1 anything else.
int sujetEnHaut(VisionneuseAide *v) {
    const int haut = v->texte()->verticalScrollBar()->value();
    if (haut == 0) return 0;
    for (int contexte = 1; contexte <= 3; ++contexte) {
        const int y = positionAncre(v->texte()->document(), VisionneuseAide::ancre(contexte));
        if (y > 0 && std::abs(y - haut) <= 2) return contexte;
    }
    return -1;
}

void envoyerF1(QWidget *w) {
    QTest::keyClick(w, Qt::Key_F1);
}

// As a user would send it: through the window system, so modal blocking applies.
void envoyerF1ParLaFenetre(QWidget *w) {
    QTest::keyClick(w->window()->windowHandle(), Qt::Key_F1);
}

// A main window with the game's menu, numbered as the game numbers it.
struct FenetreEssai {
    QMainWindow fenetre;
    QMenu *nouvelle = nullptr;
    QMenu *aide = nullptr;
    QAction *unJoueur = nullptr, *deuxJoueurs = nullptr, *regles = nullptr, *son = nullptr, *apropos = nullptr,
            *quitter = nullptr;
    QPushButton *centre = new QPushButton(QStringLiteral("centre"));

    FenetreEssai() {
        fenetre.setCentralWidget(centre);
        fenetre.setProperty(RouteurAide::ProprieteContexte, 1);
        nouvelle = fenetre.menuBar()->addMenu(QStringLiteral("&Nouvelle partie"));
        nouvelle->menuAction()->setProperty(RouteurAide::ProprieteContexte, 3);
        unJoueur = nouvelle->addAction(QStringLiteral("1 Joueur"));
        unJoueur->setProperty(RouteurAide::ProprieteContexte, 1);
        deuxJoueurs = nouvelle->addAction(QStringLiteral("2 Joueurs"));
        aide = fenetre.menuBar()->addMenu(QStringLiteral("&Aide"));
        regles = aide->addAction(QStringLiteral("Règles du jeu"));
        regles->setProperty(RouteurAide::ProprieteContexte, 2);
        son = aide->addAction(QStringLiteral("Son"));
        son->setCheckable(true);
        son->setChecked(true);
        aide->addSeparator();
        apropos = aide->addAction(QStringLiteral("A Propos"));
        quitter = fenetre.menuBar()->addAction(QStringLiteral("&Quitter"));
        fenetre.resize(640, 480);
        fenetre.show();
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    }
    ~FenetreEssai() {
        while (QWidget *p = QApplication::activePopupWidget()) p->close();
    }
    // Opens a menu of the bar as a user does, and highlights `article` (none: nothing highlighted).
    QMenu *ouvrir(QMenu *menu, QAction *article) {
        fenetre.menuBar()->setActiveAction(menu->menuAction());
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 10000));
        menu->setActiveAction(article);
        return menu;
    }
};

class Aide : public ::testing::Test {
protected:
    FenetreEssai essai;
    RouteurAide routeur{&essai.fenetre};
    void SetUp() override { routeur.definirDossiers({dossierAideSource()}); }
};

// ---------------------------------------------------------------- where F1 leads

struct CasF1 {
    const char *lieu;
    QMenu *FenetreEssai::*menu;        // nullptr: no menu open, F1 over the window
    QAction *FenetreEssai::*article;   // highlighted item, nullptr: none
    int contexte;
};

const CasF1 casF1[] = {
    {"fenêtre principale", nullptr, nullptr, 1},
    {"1 Joueur en surbrillance", &FenetreEssai::nouvelle, &FenetreEssai::unJoueur, 1},
    {"2 Joueurs: celui de Nouvelle partie", &FenetreEssai::nouvelle, &FenetreEssai::deuxJoueurs, 3},
    {"Nouvelle partie ouvert, rien en surbrillance", &FenetreEssai::nouvelle, nullptr, 3},
    {"Règles du jeu en surbrillance", &FenetreEssai::aide, &FenetreEssai::regles, 2},
    {"Son: aucun numéro", &FenetreEssai::aide, &FenetreEssai::son, 0},
    {"A Propos: aucun numéro", &FenetreEssai::aide, &FenetreEssai::apropos, 0},
    {"Aide ouvert, rien en surbrillance", &FenetreEssai::aide, nullptr, 0},
};

TEST_F(Aide, F1OuvreLeSujetDuLieu) {
    for (const CasF1 &cas : casF1) {
        SCOPED_TRACE(cas.lieu);
        // Start each case from another topic, so that a topic left over cannot pass for the right one.
        routeur.ouvrirAide(cas.contexte == 3 ? 2 : 3);
        routeur.visionneuse()->hide();
        if (cas.menu) {
            QMenu *menu = essai.ouvrir(essai.*cas.menu, cas.article ? essai.*cas.article : nullptr);
            envoyerF1(menu);
            menu->close();
        } else {
            essai.centre->setFocus();
            envoyerF1(essai.centre);
        }
        VisionneuseAide *v = routeur.visionneuse();
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(v->isVisible());
        EXPECT_TRUE(v->fichierAffiche());
        EXPECT_EQ(sujetEnHaut(v), cas.contexte);
    }
}

TEST_F(Aide, F1SurUnTitreDeLaBarreDeMenus) {
    routeur.ouvrirAide(2);
    essai.ouvrir(essai.nouvelle, nullptr)->close();
    essai.fenetre.menuBar()->setActiveAction(essai.nouvelle->menuAction());
    envoyerF1(essai.fenetre.menuBar());
    EXPECT_EQ(sujetEnHaut(routeur.visionneuse()), 3);
}

TEST_F(Aide, ReglesDuJeuOuvreLesRegles) {
    QObject::connect(essai.regles, &QAction::triggered, &routeur, &RouteurAide::ouvrirRegles);
    essai.regles->trigger();
    ASSERT_NE(routeur.visionneuse(), nullptr);
    EXPECT_TRUE(routeur.visionneuse()->isVisible());
    EXPECT_EQ(sujetEnHaut(routeur.visionneuse()), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // the game is not held up
}

TEST_F(Aide, ContexteZeroOuInconnuOuvreLeDebut) {
    const struct {
        int contexte;
        int sujet;
    } cas[] = {{2, 2}, {0, 0}, {3, 3}, {9, 0}, {1, 1}, {-4, 0}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.contexte);
        routeur.ouvrirAide(c.contexte);
        EXPECT_EQ(sujetEnHaut(routeur.visionneuse()), c.sujet);
    }
}

// ---------------------------------------------------------------- modal windows

TEST_F(Aide, F1DansLaBoiteAproposOuvreLeSujet3SansEtreBloque) {
    TAboutBox boite(&essai.fenetre);
    int sujet = -1, sujetApresClic = -1;
    QWidget *proprietaire = nullptr;
    PiloteModal pilote([](QWidget *w) { return qobject_cast<TAboutBox *>(w) != nullptr; },
                       [&](QWidget *w) {
                           auto *b = static_cast<TAboutBox *>(w);
                           b->OKButton->setFocus();
                           envoyerF1ParLaFenetre(b->OKButton);
                           VisionneuseAide *v = routeur.visionneuse();
                           if (v) {
                               sujet = sujetEnHaut(v);
                               proprietaire = v->parentWidget();
                               // A click through the window system reaches the viewer only if it is not blocked.
                               QPushButton *bouton = v->boutonSommaire();
                               QTest::mouseClick(v->windowHandle(), Qt::LeftButton, {},
                                                 bouton->mapTo(v, bouton->rect().center()));
                               sujetApresClic = sujetEnHaut(v);
                           }
                           b->OKButton->click();
                       });
    EXPECT_EQ(boite.exec(), QDialog::Accepted);
    EXPECT_FALSE(pilote.tempsEcoule);
    ASSERT_NE(routeur.visionneuse(), nullptr);
    EXPECT_EQ(sujet, 3);
    EXPECT_EQ(proprietaire, &boite);
    EXPECT_EQ(sujetApresClic, 0);
    EXPECT_TRUE(routeur.visionneuse()->isVisible()); // still open after the box has closed

    // Back in the main window, the viewer belongs to it again.
    essai.centre->setFocus();
    envoyerF1(essai.centre);
    EXPECT_EQ(routeur.visionneuse()->parentWidget(), &essai.fenetre);
    EXPECT_TRUE(routeur.visionneuse()->isVisible());
    EXPECT_EQ(sujetEnHaut(routeur.visionneuse()), 1);
}

TEST_F(Aide, F1DansLaSaisieDesNomsNOuvreRien) {
    TChNom dialogue(&essai.fenetre);
    PiloteModal pilote([](QWidget *w) { return qobject_cast<TChNom *>(w) != nullptr; },
                       [](QWidget *w) {
                           auto *d = static_cast<TChNom *>(w);
                           d->Nom1->setFocus();
                           envoyerF1ParLaFenetre(d->Nom1);
                           d->CancelBtn->click();
                       });
    dialogue.exec();
    EXPECT_FALSE(pilote.tempsEcoule);
    EXPECT_EQ(pilote.traites, 1);
    EXPECT_EQ(routeur.visionneuse(), nullptr);
}

TEST_F(Aide, F1DansLaFenetreDePauseNOuvreRien) {
    TDELAI pause(&essai.fenetre);
    PiloteModal pilote([](QWidget *w) { return qobject_cast<TDELAI *>(w) != nullptr; },
                       [](QWidget *w) { envoyerF1ParLaFenetre(w); });
    pause.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 300);
    EXPECT_EQ(pilote.traites, 1);
    EXPECT_EQ(routeur.visionneuse(), nullptr);
}

// ---------------------------------------------------------------- the viewer

TEST_F(Aide, VisionneuseNonModaleAppartenantALaFenetre) {
    routeur.ouvrirAide(1);
    VisionneuseAide *v = routeur.visionneuse();
    EXPECT_TRUE(v->isWindow());
    EXPECT_EQ(v->parentWidget(), &essai.fenetre);
    EXPECT_EQ(v->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Aide, DejaOuverteElleRevientDevant) {
    routeur.ouvrirAide(2);
    VisionneuseAide *premiere = routeur.visionneuse();
    premiere->showMinimized();
    essai.fenetre.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&essai.fenetre));
    routeur.ouvrirAide(3);
    EXPECT_EQ(routeur.visionneuse(), premiere);
    EXPECT_FALSE(premiere->isMinimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(premiere));
    EXPECT_EQ(sujetEnHaut(premiere), 3);
}

TEST_F(Aide, PrecedentEtSuivant) {
    routeur.ouvrirAide(1);
    routeur.ouvrirAide(2);
    routeur.ouvrirAide(3);
    VisionneuseAide *v = routeur.visionneuse();
    EXPECT_FALSE(v->boutonSuivant()->isEnabled());
    const struct {
        QPushButton *(VisionneuseAide::*bouton)() const;
        int sujet;
    } pas[] = {{&VisionneuseAide::boutonPrecedent, 2},
               {&VisionneuseAide::boutonPrecedent, 1},
               {&VisionneuseAide::boutonSuivant, 2},
               {&VisionneuseAide::boutonSuivant, 3},
               {&VisionneuseAide::boutonSommaire, 0},
               {&VisionneuseAide::boutonPrecedent, 3}};
    for (const auto &p : pas) {
        QPushButton *bouton = (v->*p.bouton)();
        SCOPED_TRACE(bouton->text().toStdString());
        ASSERT_TRUE(bouton->isEnabled());
        QTest::mouseClick(bouton, Qt::LeftButton);
        EXPECT_EQ(sujetEnHaut(v), p.sujet);
    }
}

TEST_F(Aide, UnLienMeneAuSujet) {
    routeur.ouvrirAide(0);
    QTextBrowser *t = routeur.visionneuse()->texte();
    // The table of contents at the start links to each topic; click them as a reader would.
    for (int contexte = 1; contexte <= 3; ++contexte) {
        SCOPED_TRACE(contexte);
        routeur.visionneuse()->boutonSommaire()->click();
        QTextCursor lien;
        const QString cible = QStringLiteral("#") + VisionneuseAide::ancre(contexte);
        for (QTextBlock bloc = t->document()->begin(); bloc.isValid() && lien.isNull(); bloc = bloc.next())
            for (auto it = bloc.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorHref() == cible) {
                    lien = QTextCursor(t->document());
                    lien.setPosition(it.fragment().position() + 1);
                    break;
                }
        ASSERT_FALSE(lien.isNull());
        const QPoint point = t->cursorRect(lien).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, point);
        EXPECT_EQ(sujetEnHaut(routeur.visionneuse()), contexte);
    }
}

TEST_F(Aide, LeDefilementMontreLaSuite) {
    routeur.ouvrirAide(0);
    QScrollBar *barre = routeur.visionneuse()->texte()->verticalScrollBar();
    EXPECT_GT(barre->maximum(), 0);
    QTest::keyClick(routeur.visionneuse()->texte(), Qt::Key_PageDown);
    EXPECT_GT(barre->value(), 0);
}

// By ear: the arrows move a caret through the text, which a screen reader reads there; Escape closes.
TEST_F(Aide, LesFlechesDeplacentUnCurseurEtEchapFerme) {
    routeur.ouvrirAide(0);
    QTextBrowser *texte = routeur.visionneuse()->texte();
    ASSERT_TRUE(QTest::qWaitFor([texte] { return texte->hasFocus(); }));
    const int debut = texte->textCursor().position();
    QTest::keyClick(texte->window()->windowHandle(), Qt::Key_Down);
    EXPECT_GT(texte->textCursor().position(), debut);
    QTest::keyClick(texte->window()->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(routeur.visionneuse()->isVisible());
}

// ---------------------------------------------------------------- the help file

TEST_F(Aide, LeFichierAChaqueSujetEtDesLiensQuiAboutissent) {
    routeur.ouvrirAide(0);
    QTextDocument *document = routeur.visionneuse()->texte()->document();
    QStringList ancres, liens;
    for (QTextBlock bloc = document->begin(); bloc.isValid(); bloc = bloc.next())
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            ancres += f.anchorNames();
            if (!f.anchorHref().isEmpty()) liens += f.anchorHref();
        }
    for (int contexte = 1; contexte <= 3; ++contexte) EXPECT_TRUE(ancres.contains(VisionneuseAide::ancre(contexte)));
    EXPECT_FALSE(liens.isEmpty());
    for (const QString &lien : liens) {
        SCOPED_TRACE(lien.toStdString());
        ASSERT_TRUE(lien.startsWith(u'#'));
        EXPECT_TRUE(ancres.contains(lien.mid(1)));
    }
    // Read as UTF-8: accented letters come out right.
    EXPECT_TRUE(document->toPlainText().contains(QStringLiteral("Les règles du jeu")));
}

// ---------------------------------------------------------------- finding the file

TEST(FichierAide, LePremierDossierQuiLeContientGagne) {
    QTemporaryDir a, b, vide;
    ASSERT_TRUE(a.isValid() && b.isValid() && vide.isValid());
    for (QTemporaryDir *d : {&a, &b}) {
        QFile f(d->filePath(QStringLiteral("KUBRIX.HLP")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString dansA = QFileInfo(a.filePath(QStringLiteral("KUBRIX.HLP"))).absoluteFilePath();
    const QString dansB = QFileInfo(b.filePath(QStringLiteral("KUBRIX.HLP"))).absoluteFilePath();
    const struct {
        QStringList dossiers;
        QString attendu;
    } cas[] = {{{a.path(), b.path()}, dansA},
               {{b.path(), a.path()}, dansB},
               {{vide.path(), b.path()}, dansB},
               {{vide.path()}, QString()},
               {{}, QString()}};
    RouteurAide routeur(nullptr);
    for (const auto &c : cas) {
        SCOPED_TRACE(c.dossiers.join(u' ').toStdString());
        routeur.definirDossiers(c.dossiers);
        EXPECT_EQ(routeur.cheminFichier(), c.attendu);
    }
}

TEST(FichierAide, CherchePresDuProgrammePuisDansLeDossierDeTravail) {
    QTemporaryDir travail;
    ASSERT_TRUE(travail.isValid());
    {
        QFile f(travail.filePath(QStringLiteral("KUBRIX.HLP")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString ancien = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(travail.path()));
    RouteurAide routeur(nullptr); // the usual folders
    const QFileInfo presDuProgramme(QDir(QCoreApplication::applicationDirPath()), QStringLiteral("KUBRIX.HLP"));
    const QString attendu = presDuProgramme.exists()
                                ? presDuProgramme.absoluteFilePath()
                                : QFileInfo(travail.filePath(QStringLiteral("KUBRIX.HLP"))).absoluteFilePath();
    EXPECT_EQ(routeur.cheminFichier(), attendu);
    QDir::setCurrent(ancien);
}

TEST_F(Aide, FichierAbsentOuIllisibleEstDitDansLaVisionneuse) {
    QTemporaryDir vide, illisible;
    ASSERT_TRUE(vide.isValid() && illisible.isValid());
    ASSERT_TRUE(QDir(illisible.path()).mkdir(QStringLiteral("KUBRIX.HLP"))); // a folder: can not be read as a file
    const struct {
        const char *cas;
        QString dossier;
        QString message;
    } cas[] = {{"absent", vide.path(), QStringLiteral("introuvable")},
               {"illisible", illisible.path(), QStringLiteral("ne peut pas être lu")}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cas);
        routeur.definirDossiers({c.dossier});
        routeur.ouvrirAide(2);
        VisionneuseAide *v = routeur.visionneuse();
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(v->isVisible());
        EXPECT_FALSE(v->fichierAffiche());
        const QString texte = v->texte()->toPlainText();
        EXPECT_TRUE(texte.contains(c.message)) << texte.toStdString();
        EXPECT_TRUE(texte.contains(QStringLiteral("Le jeu continue")));
        EXPECT_FALSE(v->boutonPrecedent()->isEnabled());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        // The file back in place: the next request shows it again.
        routeur.definirDossiers({dossierAideSource()});
        routeur.ouvrirAide(2);
        EXPECT_TRUE(v->fichierAffiche());
        EXPECT_EQ(sujetEnHaut(v), 2);
    }
}

} // namespace
