// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game: the state, the handlers of the main window's controls and the
// computer's turn, written against the window's operations (Controles).
#include "Controles.h"
#include "EtatJeu.h"
#include "Hasard.h"
#include "Ordi.h"

#include <array>
#include <functional>

// What the computer did after one of its rolls; reported to an observer
// (the simulator's trace) when one is set.
struct PassageOrdi {
    int roll = 0;                        // 1..3
    std::uint32_t graine = 0;            // seed of that roll
    std::array<int, 5> des{};            // dice after the roll
    std::array<bool, 5> gardesAvant{};   // markers shown when the roll was made
    bool inscrit = false;                // a row was recorded in this pass
    int ligne = 0;                       // row recorded
    int score = 0;                       // number written in it
    std::array<bool, 5> gardes{};        // markers shown for the next roll
};

class Jeu {
public:
    explicit Jeu(Controles &controles) : c_(controles) {}

    EtatJeu &etat() { return e_; }
    const EtatJeu &etat() const { return e_; }

    // Handlers, named after the control and the event.
    void FormCreate();
    void B_LancerClick();
    void De1Click() { DeClick(1); }
    void De2Click() { DeClick(2); }
    void De3Click() { DeClick(3); }
    void De4Click() { DeClick(4); }
    void De5Click() { DeClick(5); }
    void DeClick(int de);
    void GrilleMouseUp(int x, int y);
    void BtGrilleClick();
    void MenuNouvelleClick();
    void N1Joueur1Click();
    void N2Joueurs1Click();

    // Routines of the window.
    void Inscription();
    void OrdiJoue();
    void JouerSon(const std::string &nom);

    // The column of the higher grand total (2 or 3), 0 on a tie.
    int colonneGagnante() const;

    // The seed of the last roll that took place.
    std::uint32_t derniereGraine() const { return derniereGraine_; }

    // Observer of the computer's passes, for the simulator's trace.
    std::function<void(const PassageOrdi &)> observateurOrdi;

private:
    void mettreAspectFeuille(bool montree);
    void legendeLancerNumero();
    void finDePartie();
    ordi::Colonne lireColonneOrdi() const;
    void InscrireOrdi(int ligne, bool &aChoisir);

    Controles &c_;
    EtatJeu e_;
    Hasard hasard_;
    std::uint32_t derniereGraine_ = 0;
};
