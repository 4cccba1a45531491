// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kubrix-sim's command line.
#include <optional>
#include <string>

struct OptionsSim {
    long long parties = 1000;
    unsigned long long graine = 1;
    int fils = 0;  // 0: one per core this process may run on
    std::string trace;
    bool verifier = false;
};

inline constexpr long long PartiesMax = 1'000'000'000;
inline constexpr int FilsMax = 256;

// The options, or nothing with `erreur` set to a one-line message for the user.
std::optional<OptionsSim> lireOptions(int argc, char **argv, std::string &erreur);

// Cores this process may run on (its CPU affinity), at least 1.
int coeursDisponibles();
