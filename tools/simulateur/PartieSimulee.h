// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One simulated game against the computer, and what a run adds up.
// Column 2 is a simple fixed player (one roll, then the free row worth most,
// lowest row on a tie), column 3 the computer.
#include <cstdint>
#include <string>

// One player's figures over the games. Whole numbers only, so that adding
// the games up in any order (any number of threads) gives the same figures.
struct Statistiques {
    long long n = 0;
    long long somme = 0, sommeCarres = 0;
    int min = 0, max = 0;
    long long primes = 0;
    long long zeros[18] = {};  // games where the row was recorded as 0

    void ajouter(int total, bool prime);
    void fusionner(const Statistiques &autre);
    double moyenne() const;
    double ecartType() const;
};

struct Bilan {
    Statistiques ordy, simple;
    long long victoiresOrdy = 0, victoiresSimple = 0, egalites = 0;
    long long fautes = 0;

    void fusionner(const Bilan &autre);
};

// The time of day the clock of game `partie` starts at: a function of the
// run's seed and the game's number only, spread over the whole day.
std::int32_t heureDepart(unsigned long long graine, long long partie);

// Plays game `partie` of the run seeded `graine` into `bilan`. Appends the
// computer's passes to `trace` when it is given (one JSON line each), and a
// line per fault to `fautes` (with `verifier`, the state's invariants are
// checked after every turn).
void jouerPartie(unsigned long long graine, long long partie, bool verifier, Bilan &bilan, std::string *trace,
                 std::string &fautes);
