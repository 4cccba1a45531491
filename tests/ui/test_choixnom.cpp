// SPDX-License-Identifier: GPL-3.0-or-later
// The name dialog, driven as the game runs it: modally, answered from inside
// its own loop by PiloteModal.
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFile>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QMenu>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>
#include <gtest/gtest.h>

#include "ChoixNom.h"
#include "PiloteModal.h"
#include "VisionneuseAide.h"

namespace {

// Counts the beeps instead of sounding them, and notes their place among
// the other events of a test.
class ChNomEcoute : public TChNom {
public:
    QStringList *journal = nullptr;
    int bips = 0;

protected:
    void Bip() override {
        ++bips;
        if (journal) *journal << QStringLiteral("bip");
    }
};

bool estChNom(QWidget *w) { return qobject_cast<TChNom *>(w) != nullptr; }

// Types `texte` one character at a time as key events carrying the text, which
// is how accented letters and emoji arrive (QTest::keyClicks handles ASCII only).
void taper(QWidget *champ, const QString &texte) {
    for (int i = 0; i < texte.size(); ++i) {
        const int n = texte.at(i).isHighSurrogate() && i + 1 < texte.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, champ, Qt::Key_unknown, texte.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

struct Avertissement {
    int vus = 0;
    QString titre, texte;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QStringList boutons;
};

// Answers every warning box with OK and notes what it showed.
std::unique_ptr<PiloteModal> repondreAuxAvertissements(Avertissement &a, QStringList *journal = nullptr) {
    return std::make_unique<PiloteModal>(estBoiteMessage, [&a, journal](QWidget *w) {
        auto *boite = qobject_cast<QMessageBox *>(w);
        ++a.vus;
        a.titre = boite->windowTitle();
        a.texte = boite->text();
        a.icone = boite->icon();
        a.boutons.clear();
        for (QAbstractButton *b : boite->buttons()) a.boutons << b->text();
        if (journal) *journal << QStringLiteral("avertissement");
        cliquerOk(w);
    }, 100, 5000);
}

}  // namespace

TEST(ChoixNom, DispositionEtPolices) {
    TChNom d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Saisie du nom des joueurs"));
    EXPECT_EQ(d.minimumSize(), QSize(313, 214));
    EXPECT_EQ(d.maximumSize(), QSize(313, 214));
    EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const struct { QWidget *w; QRect g; } places[] = {
        {d.Bevel1, {8, 8, 297, 161}},   {d.Nom1, {32, 48, 129, 28}},      {d.Nom2, {32, 120, 129, 28}},
        {d.OKBtn, {79, 180, 75, 25}},   {d.CancelBtn, {159, 180, 75, 25}},
    };
    for (const auto &p : places) {
        SCOPED_TRACE(p.w->objectName().toStdString());
        EXPECT_EQ(p.w->geometry(), p.g);
    }
    EXPECT_EQ(d.Bevel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(d.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.CancelBtn->text(), QStringLiteral("Annuler"));

    // Labels at their place and wide enough for their whole text.
    const struct { QLabel *l; QPoint pos; const char *texte; } etiquettes[] = {
        {d.Label1, {32, 24}, "Entrez le Nom du  premier joueur:"},
        {d.Label2, {32, 96}, "Entrez le Nom du second joueur:"},
    };
    for (const auto &e : etiquettes) {
        SCOPED_TRACE(e.texte);
        EXPECT_EQ(e.l->text(), QString::fromUtf8(e.texte));
        EXPECT_EQ(e.l->pos(), e.pos);
        EXPECT_GE(e.l->width(), QFontMetrics(e.l->font()).horizontalAdvance(e.l->text()));
    }
    const struct { QWidget *w; int pixels; } polices[] = {
        {d.Label1, 16}, {d.Nom1, 16}, {d.Label2, 16}, {d.Nom2, 16}, {d.OKBtn, 11}, {d.CancelBtn, 11},
    };
    for (const auto &p : polices) {
        SCOPED_TRACE(p.w->objectName().toStdString());
        const QFontInfo info(p.w->font());
        EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(info.pixelSize(), p.pixels);
    }
}

TEST(ChoixNom, OrdreDeTabulation) {
    TChNom d;
    d.montrerSecondNom(true);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(QApplication::focusWidget(), d.Nom1);  // the first field has the focus at opening
    const QWidget *suite[] = {d.Nom2, d.OKBtn, d.CancelBtn, d.Nom1};
    for (const QWidget *attendu : suite) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), attendu) << attendu->objectName().toStdString();
    }
    d.hide();
}

// Every way a character gets into a field ends as its capital, one for one.
TEST(ChoixNom, LesChampsMettentToutEnCapitales) {
    struct Cas {
        const char *comment;
        std::function<void(QLineEdit *)> saisir;
        const char *attendu;
    };
    const Cas cas[] = {
        {"frappe ASCII", [](QLineEdit *c) { QTest::keyClicks(c, "eric"); }, "ERIC"},
        {"frappe accentuee", [](QLineEdit *c) { taper(c, QStringLiteral("éric ÿ ß œ")); }, "ÉRIC Ÿ ß Œ"},
        {"emoji", [](QLineEdit *c) { taper(c, QStringLiteral("a😀b")); }, "A😀B"},
        {"collage",
         [](QLineEdit *c) {
             QApplication::clipboard()->setText(QStringLiteral("àçé colle"));
             c->paste();
         },
         "ÀÇÉ COLLE"},
        {"insert()", [](QLineEdit *c) { c->insert(QStringLiteral("insérer")); }, "INSÉRER"},
        {"setText()", [](QLineEdit *c) { c->setText(QStringLiteral("posé")); }, "POSÉ"},
        {"frappe au milieu",
         [](QLineEdit *c) {
             c->setText(QStringLiteral("éric"));
             c->setCursorPosition(1);
             taper(c, QStringLiteral("x"));
             EXPECT_EQ(c->cursorPosition(), 2);
         },
         "ÉXRIC"},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.comment);
        TChNom d;
        for (QLineEdit *champ : {d.Nom1, d.Nom2}) {
            c.saisir(champ);
            EXPECT_EQ(champ->text(), QString::fromUtf8(c.attendu));
        }
    }
}

// OK with a required name missing: beep, then the warning, and the dialog
// stays open with the texts as typed. Cancel then closes it.
TEST(ChoixNom, NomManquantBipAvertitEtResteOuvert) {
    const struct {
        bool deuxJoueurs;
        const char *nom1, *nom2;
    } cas[] = {
        {true, "", ""},
        {true, "anne", ""},
        {true, "", "bruno"},
        {false, "", "bruno"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(std::string(c.nom1) + "|" + c.nom2 + (c.deuxJoueurs ? " deux joueurs" : " un joueur"));
        ChNomEcoute d;
        QStringList journal;
        d.journal = &journal;
        Avertissement a;
        auto avertissements = repondreAuxAvertissements(a, &journal);
        bool resteOuvert = false;
        QString texte1, texte2;
        PiloteModal pilote(estChNom, [&](QWidget *) {
            d.Nom1->setText(QString::fromUtf8(c.nom1));
            d.Nom2->setText(QString::fromUtf8(c.nom2));
            d.OKBtn->click();  // the warning is answered inside this call
            resteOuvert = d.isVisible();
            texte1 = d.Nom1->text();
            texte2 = d.Nom2->text();
            d.CancelBtn->click();
        }, 1, 5000);
        const ResultatNoms r = d.demander(c.deuxJoueurs);
        EXPECT_FALSE(pilote.tempsEcoule);
        EXPECT_FALSE(avertissements->tempsEcoule);
        EXPECT_EQ(journal, QStringList({"bip", "avertissement"}));
        EXPECT_EQ(a.titre, QStringLiteral("Avertissement"));
        EXPECT_EQ(a.texte, QStringLiteral("Vous devez rentrer les noms ou appuyez sur Annuler"));
        EXPECT_EQ(a.icone, QMessageBox::Warning);
        EXPECT_EQ(a.boutons, QStringList({"OK"}));
        EXPECT_TRUE(resteOuvert);
        EXPECT_EQ(texte1, QString::fromUtf8(c.nom1).toUpper());
        EXPECT_EQ(texte2, QString::fromUtf8(c.nom2).toUpper());
        EXPECT_FALSE(r.ok);
    }
}

// OK with the names there closes with OK and hands back the texts; a hidden
// second field is not required, and a name of spaces is a name.
TEST(ChoixNom, NomsPresentsOkAccepte) {
    const struct {
        bool deuxJoueurs;
        const char *nom1, *nom2;
    } cas[] = {
        {true, "anne", "bruno"},
        {false, "anne", ""},
        {false, "anne", "reste d'avant"},
        {true, "   ", " "},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(std::string(c.nom1) + "|" + c.nom2 + (c.deuxJoueurs ? " deux joueurs" : " un joueur"));
        ChNomEcoute d;
        Avertissement a;
        auto avertissements = repondreAuxAvertissements(a);
        bool secondVisible = !c.deuxJoueurs;
        PiloteModal pilote(estChNom, [&](QWidget *) {
            secondVisible = d.Nom2->isVisible() && d.Label2->isVisible();
            d.Nom1->setText(QString::fromUtf8(c.nom1));
            d.Nom2->setText(QString::fromUtf8(c.nom2));
            d.OKBtn->click();
        }, 1, 5000);
        const ResultatNoms r = d.demander(c.deuxJoueurs);
        EXPECT_FALSE(pilote.tempsEcoule);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(secondVisible, c.deuxJoueurs);
        EXPECT_EQ(QString::fromStdString(r.nom1), QString::fromUtf8(c.nom1).toUpper());
        EXPECT_EQ(QString::fromStdString(r.nom2), QString::fromUtf8(c.nom2).toUpper());
        EXPECT_EQ(d.bips, 0);
        EXPECT_EQ(a.vus, 0);
        EXPECT_FALSE(d.isVisible());
    }
}

// Enter in a field acts as OK: refused while a name is missing, then accepted.
TEST(ChoixNom, EntreeDansUnChampFaitOk) {
    ChNomEcoute d;
    Avertissement a;
    auto avertissements = repondreAuxAvertissements(a);
    PiloteModal pilote(estChNom, [&](QWidget *) {
        taper(d.Nom1, QStringLiteral("anne"));
        QTest::keyClick(d.Nom1, Qt::Key_Return);  // second name missing
        EXPECT_TRUE(d.isVisible());
        taper(d.Nom2, QStringLiteral("bruno"));
        QTest::keyClick(d.Nom2, Qt::Key_Return);
    }, 1, 5000);
    const ResultatNoms r = d.demander(true);
    EXPECT_FALSE(pilote.tempsEcoule);
    EXPECT_EQ(a.vus, 1);
    EXPECT_EQ(d.bips, 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.nom1, "ANNE");
    EXPECT_EQ(r.nom2, "BRUNO");
}

// Annuler, Escape and the close box close with Cancel and check nothing.
TEST(ChoixNom, AnnulerEchapEtCaseDeFermeture) {
    const struct {
        const char *comment;
        std::function<void(TChNom &)> fermer;
    } cas[] = {
        {"Annuler", [](TChNom &d) { d.CancelBtn->click(); }},
        {"Echap", [](TChNom &d) { QTest::keyClick(d.Nom1, Qt::Key_Escape); }},
        {"case de fermeture",
         [](TChNom &d) {
             QCloseEvent fermeture;
             QCoreApplication::sendEvent(d.windowHandle(), &fermeture);
         }},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.comment);
        ChNomEcoute d;
        Avertissement a;
        auto avertissements = repondreAuxAvertissements(a);
        PiloteModal pilote(estChNom, [&](QWidget *) {
            d.Nom1->setText(QStringLiteral("anne"));  // empty second name: OK would refuse
            c.fermer(d);
        }, 1, 5000);
        const ResultatNoms r = d.demander(true);
        EXPECT_FALSE(pilote.tempsEcoule);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(d.bips, 0);
        EXPECT_EQ(a.vus, 0);
        EXPECT_FALSE(d.isVisible());
    }
}

// The dialog is reused: the next opening shows the names typed last, centred
// on the screen, and the second field comes back when two players are asked again.
TEST(ChoixNom, LesTextesRestentDUneOuvertureALAutre) {
    ChNomEcoute d;
    PiloteModal premiere(estChNom, [&](QWidget *) {
        taper(d.Nom1, QStringLiteral("éloïse"));
        taper(d.Nom2, QStringLiteral("zoé"));
        d.OKBtn->click();
    }, 1, 5000);
    ASSERT_TRUE(d.demander(true).ok);

    QString vu1, vu2;
    bool secondVisible = true;
    QPoint ecartAuCentre;
    PiloteModal seconde(estChNom, [&](QWidget *) {
        ecartAuCentre = d.frameGeometry().center() - d.screen()->availableGeometry().center();
        vu1 = d.Nom1->text();
        vu2 = d.Nom2->text();
        secondVisible = d.Nom2->isVisible();
        d.OKBtn->click();
    }, 1, 5000);
    const ResultatNoms r = d.demander(false);
    EXPECT_EQ(vu1, QStringLiteral("ÉLOÏSE"));
    EXPECT_EQ(vu2, QStringLiteral("ZOÉ"));
    EXPECT_FALSE(secondVisible);
    EXPECT_LE(ecartAuCentre.manhattanLength(), 2);  // centred (the frame is known from the first opening)
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.nom1, "ÉLOÏSE");  // UTF-8

    bool deNouveauVisible = false;
    PiloteModal troisieme(estChNom, [&](QWidget *) {
        deNouveauVisible = d.Nom2->isVisible() && d.Label2->isVisible();
        d.CancelBtn->click();
    }, 1, 5000);
    d.demander(true);
    EXPECT_TRUE(deNouveauVisible);
}

TEST(ChoixNom, NomsTresLongsAccentsEtEmoji) {
    ChNomEcoute d;
    const QString long1 = QString(10000, QLatin1Char('a')) + QStringLiteral("é😀");
    const QString long2 = QStringLiteral("ß😀") + QString(10000, QChar(0x00E7));
    PiloteModal pilote(estChNom, [&](QWidget *) {
        d.Nom1->setText(long1);
        d.Nom2->setText(long2);
        d.grab();  // drawing such texts must not break anything either
        d.OKBtn->click();
    }, 1, 10000);
    const ResultatNoms r = d.demander(true);
    EXPECT_FALSE(pilote.tempsEcoule);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(QString::fromStdString(r.nom1), QString(10000, QLatin1Char('A')) + QStringLiteral("É😀"));
    EXPECT_EQ(QString::fromStdString(r.nom2), QStringLiteral("ß😀") + QString(10000, QChar(0x00C7)));
}

// The test helper itself: a window nobody answers is closed by the watchdog.
TEST(PiloteModal, LeChienDeGardeFermeUneFenetreSansReponse) {
    PiloteModal pilote([](QWidget *) { return false; }, [](QWidget *) {}, 1, 200);
    QMessageBox boite(QMessageBox::Warning, QStringLiteral("Avertissement"), QStringLiteral("sans réponse"),
                      QMessageBox::Ok);
    boite.exec();
    EXPECT_TRUE(pilote.tempsEcoule);
    EXPECT_EQ(pilote.vus, QStringList({"QMessageBox"}));
}

// A focused push button takes Enter: on Annuler it cancels, on OK it accepts.
TEST(ChoixNom, EntreeSurUnBoutonLePresse) {
    for (const bool surAnnuler : {true, false}) {
        SCOPED_TRACE(surAnnuler ? "Annuler" : "OK");
        ChNomEcoute d;
        PiloteModal pilote(estChNom, [&](QWidget *) {
            d.Nom1->setText(QStringLiteral("anne"));
            d.Nom2->setText(QStringLiteral("bruno"));  // OK would accept
            QPushButton *bouton = surAnnuler ? d.CancelBtn : d.OKBtn;
            bouton->setFocus(Qt::TabFocusReason);
            QTest::keyClick(bouton, Qt::Key_Return);
        }, 1, 5000);
        const ResultatNoms r = d.demander(true);
        EXPECT_FALSE(pilote.tempsEcoule);
        EXPECT_EQ(r.ok, !surAnnuler);
        EXPECT_FALSE(d.isVisible());
    }
}

// The toolkit's own texts are French: the standard menus of a name field and
// of the help viewer's text, as they are built for a right-click.
TEST(ChoixNom, LesMenusStandardSontEnFrancais) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm")))
        GTEST_SKIP() << "qtbase_fr.qm absent (paquet qt6-translations-l10n)";
    auto textes = [](QMenu *menu) {
        std::unique_ptr<QMenu> garde(menu);
        QStringList t;
        for (QAction *a : menu->actions())
            if (!a->isSeparator()) t << a->text().section(QLatin1Char('\t'), 0, 0);  // without the shortcut
        return t;
    };
    TChNom d;
    EXPECT_EQ(textes(d.Nom1->createStandardContextMenu()),
              QStringList({"&Annuler", "&Rétablir", "Co&uper", "Cop&ier", "Co&ller", "Supprimer", "Tout sélectionner"}));
    VisionneuseAide aide;
    EXPECT_EQ(textes(aide.texte()->createStandardContextMenu()), QStringList({"Cop&ier", "Copier l'adresse du &lien", "Tout sélectionner"}));
}
