// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsSim.h"

#include <charconv>
#include <cstring>
#include <thread>
#ifdef __linux__
#include <sched.h>
#endif

namespace {

// Decimal digits only: no sign, no blank, no trailing character, no overflow.
template <typename T>
bool lireEntier(const char *texte, T &v) {
    const char *fin = texte + std::strlen(texte);
    if (texte == fin || *texte < '0' || *texte > '9') return false;
    const auto r = std::from_chars(texte, fin, v);
    return r.ec == std::errc() && r.ptr == fin;
}

std::string cite(const char *texte) { return std::string("« ") + texte + " »"; }

}  // namespace

std::optional<OptionsSim> lireOptions(int argc, char **argv, std::string &erreur) {
    OptionsSim o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool avecValeur = a == "--games" || a == "--seed" || a == "--jobs" || a == "--trace";
        if (!avecValeur) {
            if (a == "--verifier") {
                o.verifier = true;
                continue;
            }
            erreur = "option inconnue : " + cite(argv[i]) +
                     " (options : --games N --seed S [--jobs N] [--trace FICHIER] [--verifier])";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            erreur = a + " attend une valeur";
            return std::nullopt;
        }
        const char *v = argv[++i];
        if (a == "--games") {
            if (!lireEntier(v, o.parties) || o.parties < 1 || o.parties > PartiesMax) {
                erreur = "--games attend un nombre de parties de 1 à " + std::to_string(PartiesMax) + ", pas " + cite(v);
                return std::nullopt;
            }
        } else if (a == "--seed") {
            if (!lireEntier(v, o.graine)) {
                erreur = "--seed attend un entier de 0 à 18446744073709551615, pas " + cite(v);
                return std::nullopt;
            }
        } else if (a == "--jobs") {
            if (!lireEntier(v, o.fils) || o.fils < 1 || o.fils > FilsMax) {
                erreur = "--jobs attend un nombre de fils de 1 à " + std::to_string(FilsMax) + ", pas " + cite(v);
                return std::nullopt;
            }
        } else {
            if (*v == '\0') {
                erreur = "--trace attend un nom de fichier";
                return std::nullopt;
            }
            o.trace = v;
        }
    }
    return o;
}

int coeursDisponibles() {
#ifdef __linux__
    // The cores this process may run on (taskset), not all the machine's.
    cpu_set_t ensemble;
    if (sched_getaffinity(0, sizeof ensemble, &ensemble) == 0 && CPU_COUNT(&ensemble) > 0)
        return CPU_COUNT(&ensemble);
#endif
    const unsigned n = std::thread::hardware_concurrency();
    return n ? static_cast<int>(n) : 1;
}
