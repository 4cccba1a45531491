// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games, played by a random player who also clicks where nothing is
// allowed: every invariant holds after every event, and each game ends with
// exactly one announcement after its 26th recording.
#include "Banc.h"

#include <random>

using namespace feuille;

namespace {

struct Hasardeux : Banc {
    std::mt19937 rng{12345};
    int tirer(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    void verifier(const char *apres) {
        const auto fautes = verifierInvariants(e, c, VueControles{c.legendeLancement, c.lancerActif, c.legendeEtiJoueur});
        for (const auto &f : fautes) ADD_FAILURE() << apres << " : " << f;
        ASSERT_TRUE(fautes.empty());
    }

    // One game; returns the number of turns it took the player of column 2.
    void partie(bool contreOrdi) {
        jeu.MenuNouvelleClick();
        if (contreOrdi) jeu.N1Joueur1Click(); else jeu.N2Joueurs1Click();
        verifier("nouvelle partie");
        c.messages.clear();
        int evenements = 0;
        while (!(e.FinPartie && !c.lancerActif && !e.TourEnCours && lignesRemplies(c, 3) == 13)) {
            ASSERT_LT(++evenements, 5000) << "the game does not end";
            c.horlogeMs = tirer(ControlesMemoire::MsParJour);
            const int action = tirer(10);
            const std::size_t avant = c.messages.size();
            if (action < 3) {
                if (c.lancerActif) jeu.B_LancerClick();  // a disabled button takes no click
            } else if (action < 6) {
                jeu.DeClick(1 + tirer(5));
            } else if (action < 9) {
                jeu.GrilleMouseUp(tirer(400), tirer(380));
            } else {
                jeu.BtGrilleClick();
            }
            verifier("un clic");
            for (std::size_t i = avant; i < c.messages.size(); ++i)
                if (c.messages[i].genre == GenreMessage::Information) {
                    ASSERT_EQ(lignesRemplies(c, 2), 13) << "announced before the end";
                    ASSERT_EQ(lignesRemplies(c, 3), 13) << "announced before the end";
                }
        }
        int annonces = 0;
        for (const auto &m : c.messages) annonces += m.genre == GenreMessage::Information;
        EXPECT_EQ(annonces, 1);
        EXPECT_EQ(e.NomGagnant, c.messages.back().texte);
    }
};

}  // namespace

TEST_F(Hasardeux, PartiesContreOrdy) {
    for (int i = 0; i < 60; ++i) {
        partie(true);
        if (HasFatalFailure()) return;
    }
}

TEST_F(Hasardeux, PartiesADeux) {
    for (int i = 0; i < 60; ++i) {
        partie(false);
        if (HasFatalFailure()) return;
    }
}
