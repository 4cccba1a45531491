// SPDX-License-Identifier: GPL-3.0-or-later
// Names of every kind typed in the name dialog: refused only when empty, as
// the OK button's check says, and otherwise carried unchanged (in capitals)
// to the state, the sheet's heading and the player label, without moving any
// control of the window; the game then goes on with them.
#include "BancFenetre.h"
#include "Invariants.h"

#include <QMessageBox>

namespace {

struct CasNom {
    const char *quoi;
    QString nom;
};

void PrintTo(const CasNom &c, std::ostream *os) { *os << c.quoi; }

QString enCapitales(QString s) {
    for (QChar &c : s) c = c.toUpper();  // the field's own rule: one QChar for one
    return s;
}

class NomsExtremes : public BancFenetre, public ::testing::WithParamInterface<CasNom> {
protected:
    void verifierEtat(const char *quand) {
        VueControles vue{f->B_Lancer->text().toStdString(), f->B_Lancer->isEnabled(), f->EtiJoueur->text().toStdString()};
        const auto fautes = verifierInvariants(e(), *f, vue);
        EXPECT_TRUE(fautes.empty()) << quand << " : " << (fautes.empty() ? "" : fautes.front());
    }
};

}  // namespace

TEST_P(NomsExtremes, AccepteOuRefuseEtMontreSansRienCasser) {
    const QString nom = GetParam().nom;
    const bool accepte = !nom.isEmpty();
    const QRect fenetre = f->geometry(), grille = f->Grille->geometry(), lancer = f->B_Lancer->geometry(),
                boutonGrille = f->BtGrille->geometry();
    const QPoint etiquette = f->EtiJoueur->pos();

    int avertissements = 0;
    QString texteGarde;
    // OK with the name typed; if the check refuses, OK on the warning, then Annuler.
    PiloteModal noms([](QWidget *w) { return qobject_cast<TChNom *>(w) != nullptr; },
                     [&](QWidget *w) {
                         auto *d = qobject_cast<TChNom *>(w);
                         d->Nom1->setText(nom);
                         d->Nom2->setText(QStringLiteral("deux"));
                         d->OKBtn->click();
                         if (d->isVisible()) {
                             texteGarde = d->Nom1->text();
                             d->CancelBtn->click();
                         }
                     });
    PiloteModal avertissement(estBoiteMessage, [&](QWidget *w) {
        ++avertissements;
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Avertissement"));
        cliquerOk(w);
    });
    ouvrirMenuNouvelle(f->N2Joueurs1);
    ASSERT_TRUE(noms.fini());
    ASSERT_FALSE(noms.tempsEcoule);

    const QString attendu = accepte ? enCapitales(nom) : QStringLiteral("Joueur 1");
    EXPECT_EQ(avertissements, accepte ? 0 : 1);
    if (!accepte) {
        EXPECT_EQ(texteGarde, enCapitales(nom)) << "the dialog keeps the texts as typed";
    }
    EXPECT_EQ(QString::fromStdString(e().NomJoueur1), attendu);
    EXPECT_EQ(f->Grille->texte(2, 0), attendu);
    EXPECT_EQ(f->EtiJoueur->text(), attendu);
    verifierEtat("après les noms");

    // Nothing moved, and the sheet still draws at its size.
    EXPECT_EQ(f->geometry(), fenetre);
    EXPECT_EQ(f->Grille->geometry(), grille);
    EXPECT_EQ(f->B_Lancer->geometry(), lancer);
    EXPECT_EQ(f->BtGrille->geometry(), boutonGrille);
    EXPECT_EQ(f->EtiJoueur->pos(), etiquette);
    f->BtGrilleClick();
    EXPECT_EQ(f->Grille->grab().size(), grille.size());
    f->BtGrilleClick();

    // The game goes on: a roll and a recording hand the turn to the second name.
    cliquer(f->B_Lancer);
    EXPECT_EQ(pauses.size(), 5);
    f->BtGrilleClick();
    ASSERT_TRUE(f->grilleVisible());
    cliquerCase(1, 15);  // CHANCE, free and never refused
    EXPECT_FALSE(f->Grille->texte(2, 15).isEmpty());
    EXPECT_EQ(f->EtiJoueur->text(), accepte ? QStringLiteral("DEUX") : QStringLiteral("Joueur 2"));
    verifierEtat("après une inscription");
}

INSTANTIATE_TEST_SUITE_P(
    Noms, NomsExtremes,
    ::testing::Values(CasNom{"vide", QString()}, CasNom{"espaces", QStringLiteral("     ")},
                      CasNom{"dix_mille", QString(10'000, QLatin1Char('w'))},
                      CasNom{"accents", QStringLiteral("éloïse àçù ÿœ straße")},
                      CasNom{"emoji", QStringLiteral("😀🎲 👩‍👩‍👧")},
                      CasNom{"droite_a_gauche", QStringLiteral("שלום مرحبا \u202Eabc")},
                      CasNom{"controle", QStringLiteral("a\tb\nc\x01\x7f\x1b")}),
    [](const ::testing::TestParamInfo<CasNom> &i) { return std::string(i.param.quoi); });
