// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Geometry of the score sheet: 4 columns of 120/100/80/80 px, 18 rows of
// 18 px, each cell followed by a 2 px line (a line belongs to the cell left
// of or above it). Shared by the Qt sheet and the in-memory one, so that both
// find the same cell under a point.
#include "Controles.h"

namespace grille {

inline constexpr int NbColonnes = 4;
inline constexpr int NbLignes = 18;
inline constexpr int LargeurColonne[NbColonnes] = {120, 100, 80, 80};
inline constexpr int HauteurLigne = 18;
inline constexpr int EpaisseurTrait = 2;
inline constexpr int Largeur = 391;
inline constexpr int Hauteur = 361;

constexpr int gaucheColonne(int c) {
    int x = 0;
    for (int i = 0; i < c; ++i) x += LargeurColonne[i] + EpaisseurTrait;
    return x;
}
constexpr int hautLigne(int r) { return r * (HauteurLigne + EpaisseurTrait); }

// The cell under (x, y), or {-1, -1} when the point lies on no cell.
constexpr Cellule celluleSous(int x, int y) {
    if (x < 0 || y < 0) return {};
    int colonne = -1;
    for (int c = 0; c < NbColonnes; ++c) {
        if (x < gaucheColonne(c + 1)) { colonne = c; break; }
    }
    const int ligne = y / (HauteurLigne + EpaisseurTrait);
    if (colonne < 0 || ligne >= NbLignes) return {};
    return {colonne, ligne};
}

// A point inside cell (c, r), for code that clicks a row.
struct Point { int x; int y; };
constexpr Point centreCellule(int c, int r) {
    return {gaucheColonne(c) + LargeurColonne[c] / 2, hautLigne(r) + HauteurLigne / 2};
}

}  // namespace grille
