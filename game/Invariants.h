// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What must hold between any two events of a game, checked by the tests, the
// simulator and the random-input runs. Returns the broken rules, in words.
#include "Controles.h"
#include "EtatJeu.h"

#include <optional>
#include <string>
#include <vector>

// What the window shows of the roll button and the player label, when known.
struct VueControles {
    std::string legendeLancer;
    bool lancerActif = false;
    std::string legendeJoueur;
};

std::vector<std::string> verifierInvariants(const EtatJeu &e, const Controles &c,
                                            const std::optional<VueControles> &vue = std::nullopt);

// Number of scoring rows filled in a player column.
int lignesRemplies(const Controles &c, int colonne);
