// kubrix-sim: plays whole games against the computer, headless and
// reproducible, through the same game code as the window.
//   kubrix-sim --games N --seed S [--trace FILE] [--verifier]
// Column 2 is a simple fixed player (one roll, then the free row worth most,
// lowest row on a tie), column 3 the computer.
#include "ControlesMemoire.h"
#include "Feuille.h"
#include "Invariants.h"
#include "Jeu.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <type_traits>

using namespace feuille;

namespace {

struct Options {
    long long parties = 1000;
    unsigned long long graine = 1;
    std::string trace;
    bool verifier = false;
};

[[noreturn]] void usage(const char *message) {
    std::fprintf(stderr, "kubrix-sim: %s\nusage: kubrix-sim --games N --seed S [--trace FICHIER] [--verifier]\n", message);
    std::exit(2);
}

bool lireEntier(const char *texte, unsigned long long &v) {
    char *fin = nullptr;
    errno = 0;
    if (!texte || *texte == '-' || *texte == '\0') return false;
    v = std::strtoull(texte, &fin, 10);
    return errno == 0 && fin && *fin == '\0';
}

Options lireOptions(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char *suivant = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long v = 0;
        if (a == "--games") {
            if (!lireEntier(suivant, v) || v == 0 || v > 1'000'000'000ULL) usage("--games attend un nombre de 1 à 10^9");
            o.parties = static_cast<long long>(v);
            ++i;
        } else if (a == "--seed") {
            if (!lireEntier(suivant, v)) usage("--seed attend un entier positif");
            o.graine = v;
            ++i;
        } else if (a == "--trace") {
            if (!suivant) usage("--trace attend un nom de fichier");
            o.trace = suivant;
            ++i;
        } else if (a == "--verifier") {
            o.verifier = true;
        } else {
            usage(("option inconnue : " + a).c_str());
        }
    }
    return o;
}

// The time of day the simulated clock starts at, spread over the whole day.
std::int32_t heureDepart(unsigned long long graine) {
    unsigned long long z = graine + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<std::int32_t>(z % ControlesMemoire::MsParJour);
}

struct Statistiques {
    long long n = 0;
    double somme = 0, sommeCarres = 0;
    int min = std::numeric_limits<int>::max(), max = std::numeric_limits<int>::min();
    long long primes = 0, victoires = 0;
    long long zeros[18] = {};

    void ajouter(const EtatJeu &e, const ControlesMemoire &c, int colonne) {
        const int t = e.Scores[colonne][TOTAL_GENERAL];
        ++n;
        somme += t;
        sommeCarres += static_cast<double>(t) * t;
        if (t < min) min = t;
        if (t > max) max = t;
        if (e.Scores[colonne][PRIME] == ValeurPrime) ++primes;
        for (int l = 1; l <= 17; ++l)
            if (estLigneDeMarque(l) && c.cellules[colonne][l] == "0") ++zeros[l];
    }
    double moyenne() const { return n ? somme / static_cast<double>(n) : 0; }
    double ecartType() const {
        if (n < 2) return 0;
        const double m = moyenne();
        return std::sqrt(std::max(0.0, (sommeCarres - static_cast<double>(n) * m * m) / static_cast<double>(n - 1)));
    }
};

void ecrireJson(std::ostream &o, const std::string &s) {
    o << '"';
    for (const char ch : s) {
        if (ch == '"' || ch == '\\') o << '\\' << ch;
        else if (static_cast<unsigned char>(ch) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            o << buf;
        } else o << ch;
    }
    o << '"';
}

template <typename T>
void ecrireTableau(std::ostream &o, const std::array<T, 5> &t) {
    o << '[';
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i) o << ',';
        if constexpr (std::is_same_v<T, bool>) o << (t[i] ? "true" : "false");
        else o << t[i];
    }
    o << ']';
}

// The simple player's row: the free scoring row worth most, lowest on a tie.
int meilleureLigne(const EtatJeu &e, const ControlesMemoire &c) {
    int meilleure = 0, points = -1;
    for (int l = 1; l <= 17; ++l) {
        if (!estLigneDeMarque(l) || !c.cellules[ColonneJoueur1][l].empty()) continue;
        const int p = pointsInscrits(l, e.Des, e.NbFaces);
        if (p > points) { points = p; meilleure = l; }
    }
    return meilleure;
}

}  // namespace

int main(int argc, char **argv) {
    const Options o = lireOptions(argc, argv);

    std::ofstream trace;
    if (!o.trace.empty()) {
        trace.open(o.trace, std::ios::out | std::ios::trunc);
        if (!trace) {
            std::fprintf(stderr, "kubrix-sim: impossible d'écrire %s\n", o.trace.c_str());
            return 1;
        }
    }

    ControlesMemoire c(heureDepart(o.graine));
    Jeu jeu(c);
    jeu.FormCreate();
    EtatJeu &e = jeu.etat();

    long long partie = 0;
    int tourOrdi = 0;
    std::array<std::string, 18> colonneDebut{};
    if (trace.is_open()) {
        jeu.observateurOrdi = [&](const PassageOrdi &p) {
            if (p.roll == 1) ++tourOrdi;
            trace << "{\"game\": " << partie << ", \"turn\": " << tourOrdi << ", \"roll\": " << p.roll
                  << ", \"seed\": " << p.graine << ", \"dice\": ";
            ecrireTableau(trace, p.des);
            trace << ", \"held_before\": ";
            ecrireTableau(trace, p.gardesAvant);
            trace << ", \"col3\": {";
            for (int l = 1; l <= 17; ++l) {
                if (l > 1) trace << ", ";
                trace << '"' << l << "\": ";
                ecrireJson(trace, colonneDebut[l]);
            }
            trace << "}, \"action\": ";
            if (p.inscrit) {
                trace << "\"record\", \"row\": " << p.ligne << ", \"score\": " << p.score;
            } else {
                trace << "\"hold\", \"hold\": ";
                ecrireTableau(trace, p.gardes);
            }
            trace << "}\n";
        };
    }

    Statistiques simple, ordy;
    long long victoiresSimple = 0, victoiresOrdy = 0, egalites = 0, fautes = 0;
    const auto debut = std::chrono::steady_clock::now();

    for (partie = 1; partie <= o.parties; ++partie) {
        c.messages.clear();
        jeu.MenuNouvelleClick();
        if (partie == 1) jeu.N1Joueur1Click();  // cancelled: "Joueur 1" against "ORDY"
        tourOrdi = 0;

        for (int tour = 1; tour <= 13; ++tour) {
            jeu.B_LancerClick();
            if (trace.is_open())
                for (int l = 1; l <= 17; ++l) colonneDebut[l] = c.cellules[ColonneJoueur2][l];
            const auto pt = ControlesMemoire::point(ColonneJoueur1, meilleureLigne(e, c));
            jeu.GrilleMouseUp(pt.x, pt.y);  // the computer's whole turn runs inside
            if (o.verifier) {
                for (const auto &f : verifierInvariants(e, c)) {
                    std::fprintf(stderr, "partie %lld, tour %d : %s\n", partie, tour, f.c_str());
                    ++fautes;
                }
            }
        }

        // Every game ends after its 26th recording, with one announcement.
        const bool finie = e.FinPartie && lignesRemplies(c, ColonneJoueur1) == 13 &&
                           lignesRemplies(c, ColonneJoueur2) == 13 && c.messages.size() == 1 &&
                           c.messages[0].genre == GenreMessage::Information && !c.lancerActif;
        if (!finie) {
            std::fprintf(stderr, "partie %lld : fin de partie incorrecte\n", partie);
            ++fautes;
        }
        simple.ajouter(e, c, ColonneJoueur1);
        ordy.ajouter(e, c, ColonneJoueur2);
        const int t2 = e.Scores[ColonneJoueur1][TOTAL_GENERAL], t3 = e.Scores[ColonneJoueur2][TOTAL_GENERAL];
        if (t2 > t3) ++victoiresSimple;
        else if (t3 > t2) ++victoiresOrdy;
        else ++egalites;
    }
    const double secondes =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    std::printf("%lld parties, graine %llu, %.3f s, %.0f parties par seconde\n\n", o.parties, o.graine, secondes,
                static_cast<double>(o.parties) / std::max(secondes, 1e-9));
    std::printf("%-22s %12s %12s\n", "", "ORDY", "joueur simple");
    auto ligne = [](const char *nom, double a, double b, const char *format) {
        char fa[32], fb[32];
        std::snprintf(fa, sizeof fa, format, a);
        std::snprintf(fb, sizeof fb, format, b);
        std::printf("%-22s %12s %12s\n", nom, fa, fb);
    };
    ligne("TOTAL GENERAL moyen", ordy.moyenne(), simple.moyenne(), "%.2f");
    ligne("écart type", ordy.ecartType(), simple.ecartType(), "%.2f");
    ligne("minimum", ordy.min, simple.min, "%.0f");
    ligne("maximum", ordy.max, simple.max, "%.0f");
    ligne("prime (%)", 100.0 * static_cast<double>(ordy.primes) / static_cast<double>(ordy.n),
          100.0 * static_cast<double>(simple.primes) / static_cast<double>(simple.n), "%.2f");
    ligne("parties gagnées", static_cast<double>(victoiresOrdy), static_cast<double>(victoiresSimple), "%.0f");
    std::printf("%-22s %12lld\n", "parties nulles", egalites);
    std::printf("\nlignes marquées 0 (%% des parties)\n");
    for (int l = 1; l <= 17; ++l) {
        if (!estLigneDeMarque(l)) continue;
        ligne(std::string(NomLigne[l]).c_str(), 100.0 * static_cast<double>(ordy.zeros[l]) / static_cast<double>(ordy.n),
              100.0 * static_cast<double>(simple.zeros[l]) / static_cast<double>(simple.n), "%.2f");
    }
    if (fautes) {
        std::printf("\n%lld fautes\n", fautes);
        return 1;
    }
    return 0;
}
