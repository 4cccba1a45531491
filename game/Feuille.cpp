// SPDX-License-Identifier: GPL-3.0-or-later
#include "Feuille.h"

namespace feuille {

Faces compterFaces(const Des &des) {
    Faces n{};
    for (int i = 1; i <= 5; ++i) n[des[i]] += 1;
    return n;
}

Valeur valeurLigne(int ligne, const Des &des, const Faces &nbFaces) {
    int somme = 0;
    for (int i = 1; i <= 5; ++i) somme += des[i];
    auto uneFaceA = [&](auto pred) {
        for (int f = 1; f <= 6; ++f)
            if (pred(nbFaces[f])) return true;
        return false;
    };
    auto suite = [&](int de, int a, int exact) {
        for (int f = de; f <= a; ++f)
            if (exact ? nbFaces[f] != 1 : nbFaces[f] < 1) return false;
        return true;
    };

    switch (ligne) {
    case AS: case DEUX: case TROIS: case QUATRE: case CINQ: case SIX:
        return {true, nbFaces[ligne] * ligne};
    case BRELAN:
        return {uneFaceA([](int n) { return n >= 3; }), somme};
    case CARRE:
        return {uneFaceA([](int n) { return n >= 4; }), somme};
    case FULL: {
        const bool trois = uneFaceA([](int n) { return n == 3; });
        const bool deux = uneFaceA([](int n) { return n == 2; });
        return {(trois && deux) || uneFaceA([](int n) { return n == 5; }), 25};
    }
    case PETITE_SUITE:
        return {suite(1, 4, false) || suite(2, 5, false) || suite(3, 6, false), 30};
    case GRANDE_SUITE:
        return {suite(1, 5, true) || suite(2, 6, true), 40};
    case YAMS:
        return {uneFaceA([](int n) { return n == 5; }), 50};
    case CHANCE:
        return {true, somme};
    default:
        return {false, 0};
    }
}

}  // namespace feuille
