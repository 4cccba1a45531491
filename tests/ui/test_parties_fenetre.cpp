// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games played through the real window to the announcement: two
// players, and one player against ORDY. Pauses take no time here.
#include "BancFenetre.h"

#include "Invariants.h"

using namespace feuille;

namespace {

struct PartieFenetre : BancFenetre {
    QStringList annonces;

    void verifier() {
        const VueControles vue{f->B_Lancer->text().toStdString(), f->B_Lancer->isEnabled(),
                               f->EtiJoueur->text().toStdString()};
        for (const auto &faute : verifierInvariants(e(), *f, vue)) ADD_FAILURE() << faute;
    }

    // The player to play: rolls once or twice, holds a die, shows the sheet
    // and clicks the first free row of their column.
    void jouerUnTour(int tour) {
        const int colonne = e().TourJoueur1 ? 2 : 3;
        cliquer(f->B_Lancer);
        if (tour % 2) {
            cliquer(f->de(1 + tour % 5));
            cliquer(f->B_Lancer);
        }
        verifier();
        if (f->Grille->isHidden()) cliquer(f->BtGrille);
        for (int l = 1; l <= 17; ++l) {
            if (estLigneDeMarque(l) && f->Grille->texte(colonne, l).isEmpty()) {
                cliquerCase(tour % 4, l);  // any column of the row chooses it
                break;
            }
        }
        verifier();
    }

    PiloteModal *annonce() {
        return new PiloteModal(estBoiteMessage, [this](QWidget *w) {
            auto *b = qobject_cast<QMessageBox *>(w);
            EXPECT_EQ(b->windowTitle(), "Information");
            EXPECT_EQ(b->icon(), QMessageBox::Information);
            annonces << b->text();
            cliquerOk(w);
        }, 1, 60000);
    }
};

}  // namespace

TEST_F(PartieFenetre, DeuxJoueursJusquALAnnonce) {
    {
        std::unique_ptr<PiloteModal> p(repondreNoms("anne", "bob"));
        ouvrirMenuNouvelle(f->N2Joueurs1);
    }
    std::unique_ptr<PiloteModal> fin(annonce());
    for (int tour = 0; tour < 26; ++tour) {
        ASSERT_TRUE(f->B_Lancer->isEnabled()) << tour;
        EXPECT_TRUE(annonces.isEmpty()) << "announced before the 26th recording";
        jouerUnTour(tour);
    }
    ASSERT_EQ(annonces.size(), 1);
    const int t2 = f->Grille->texte(2, TOTAL_GENERAL).toInt(), t3 = f->Grille->texte(3, TOTAL_GENERAL).toInt();
    const QString attendu = t2 > t3 ? "Félicitations ANNE!" : t3 > t2 ? "Félicitations BOB!" : "Bravo à tous deux !";
    EXPECT_EQ(annonces[0], attendu);
    EXPECT_EQ(f->sons()->demandes().last(), "BRAVO");
    EXPECT_FALSE(f->B_Lancer->isEnabled());
    EXPECT_TRUE(f->Grille->isVisible());
    verifier();
}

TEST_F(PartieFenetre, ContreOrdyJusquALAnnonce) {
    {
        std::unique_ptr<PiloteModal> p(repondreNoms("éric", ""));
        ouvrirMenuNouvelle(f->N1Joueur1);
    }
    EXPECT_EQ(f->Grille->texte(2, 0), "ÉRIC");
    EXPECT_EQ(f->Grille->texte(3, 0), "ORDY");
    std::unique_ptr<PiloteModal> fin(annonce());
    for (int tour = 0; tour < 13; ++tour) {
        ASSERT_TRUE(e().TourJoueur1);
        EXPECT_EQ(f->EtiJoueur->text(), "ÉRIC");
        const int avant = lignesRemplies(*f, 3);
        jouerUnTour(tour);
        // ORDY's whole turn ran inside the click: one row more, and its pauses.
        EXPECT_EQ(lignesRemplies(*f, 3), avant + 1);
    }
    ASSERT_EQ(annonces.size(), 1);
    const int t2 = f->Grille->texte(2, TOTAL_GENERAL).toInt(), t3 = f->Grille->texte(3, TOTAL_GENERAL).toInt();
    if (t3 > t2) {
        EXPECT_EQ(annonces[0], "Je suis vraiment le meilleur !!!");
        EXPECT_EQ(f->sons()->demandes().last(), "MEILLEUR");
    } else {
        EXPECT_EQ(annonces[0], t2 > t3 ? "Félicitations ÉRIC!" : "Bravo à tous deux !");
        EXPECT_EQ(f->sons()->demandes().last(), "BRAVO");
    }
    // Every computer pass thought for 2000 ms after its roll's five steps.
    int reflexions = 0;
    for (int i = 0; i < pauses.size(); ++i) {
        if (pauses[i].legende != "CHUT !!! ") continue;
        ++reflexions;
        EXPECT_EQ(pauses[i].texte, "Je réfléchis...");
        EXPECT_EQ(pauses[i].intervalleMs, 2000);
        ASSERT_GE(i, 5);
        for (int j = i - 5; j < i; ++j) EXPECT_EQ(pauses[j].intervalleMs, 500);
    }
    EXPECT_GE(reflexions, 13);
    EXPECT_LE(reflexions, 39);
    verifier();
}
