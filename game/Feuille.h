// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score sheet's rows, texts and the value of each row for a throw.
#include "TableauIndexe.h"

#include <cstdint>
#include <string_view>

namespace feuille {

// Row numbers of the sheet.
enum Ligne : int {
    AS = 1, DEUX, TROIS, QUATRE, CINQ, SIX,
    SOUS_TOTAL_HAUT = 7, PRIME = 8,
    BRELAN = 9, CARRE, FULL, PETITE_SUITE, GRANDE_SUITE, YAMS, CHANCE,
    SOUS_TOTAL_BAS = 16, TOTAL_GENERAL = 17
};

// Row 0 holds the columns' titles (the players' names); columns 0 and 1 the
// rows' names and what each scores.
inline constexpr int LigneTitres = 0;
inline constexpr int ColonneNom = 0;
inline constexpr int ColonneMarque = 1;
inline constexpr int ColonneJoueur1 = 2;
inline constexpr int ColonneJoueur2 = 3;
inline constexpr int SeuilPrime = 63;
inline constexpr int ValeurPrime = 35;

// Column 0 (row name) and column 1 ("Marque" text) of rows 1..17; "" = empty.
inline constexpr std::string_view NomLigne[18] = {
    "", "AS", "DEUX", "TROIS", "QUATRE", "CINQ", "SIX", "Sous total", "Prime",
    "BRELAN", "CARRE", "FULL", "Petite SUITE", "Grande SUITE", "YAM'S", "CHANCE",
    "Sous Total", "TOTAL GENERAL"};
inline constexpr std::string_view MarqueLigne[18] = {
    "Marque", "total des As", "total des Deux", "total des Trois", "total des Quatre",
    "total des Cinq", "total des Six", "", "35 points", "total 5 dés", "total 5 dés",
    "25 points", "30 points", "40 points", "50 points", "total 5 dés", "", "", };

constexpr bool estLigneDeTotal(int ligne) {
    return ligne == SOUS_TOTAL_HAUT || ligne == PRIME || ligne == SOUS_TOTAL_BAS ||
           ligne == TOTAL_GENERAL;
}
constexpr bool estLigneDeMarque(int ligne) {
    return (ligne >= AS && ligne <= SIX) || (ligne >= BRELAN && ligne <= CHANCE);
}

using Des = TableauIndexe<std::int32_t, 1, 5>;
using Faces = TableauIndexe<std::int32_t, 1, 6>;

struct Valeur {
    bool condition;      // the row's pattern is in the throw (always true for 1..6 and CHANCE)
    std::int32_t points; // what the row scores when the condition holds
};

// The value of a scoring row for the throw (des, nbFaces), by the sheet's table.
Valeur valeurLigne(int ligne, const Des &des, const Faces &nbFaces);

// The number actually written into the row: the value, or 0 when the
// condition fails.
inline std::int32_t pointsInscrits(int ligne, const Des &des, const Faces &nbFaces) {
    const Valeur v = valeurLigne(ligne, des, nbFaces);
    return v.condition ? v.points : 0;
}

Faces compterFaces(const Des &des);

}  // namespace feuille
