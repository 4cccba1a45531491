// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one record of the game, owned beside the main window for the whole run.
// Field order, types and start-up values are those of the game's design.
#include "TableauIndexe.h"

#include <cstdint>
#include <string>

struct EtatJeu {
    bool TourEnCours = false;                          // a roll has been made this turn
    std::int32_t NumLancer = 1;                        // next roll of the turn, 1..4
    TableauIndexe<std::int32_t, 1, 5> Des{};           // face of each die, 0 before the first roll
    TableauIndexe<std::int32_t, 1, 6> NbFaces{};       // dice showing each face
    TableauIndexe<TableauIndexe<std::int32_t, 1, 17>, 2, 3> Scores{};  // [column][row]
    bool TourJoueur1 = true;                           // column 2 is to play
    bool ContreOrdi = false;                           // column 3 is the computer
    bool FinPartie = false;                            // every player cell filled
    std::string NomJoueur1 = "Joueur 1";
    std::string NomJoueur2 = "Joueur 2";
    std::string NomGagnant;                            // the end-of-game announcement
    std::int32_t ColJoueur = 0;                        // column being recorded, 2 or 3
    std::int32_t LigneChoisie = 0;                     // row being recorded
};
