// SPDX-License-Identifier: GPL-3.0-or-later
// kubrix-sim: plays whole games against the computer, headless and
// reproducible, through the same game code as the window.
//   kubrix-sim --games N --seed S [--jobs N] [--trace FILE] [--verifier]
// Each game depends on the seed and its own number only: the games are shared
// out over the threads in lots, and the figures, the trace and the faults come
// out the same for any number of threads. Memory stays flat whatever N: a game
// lives only while it is played, and at most a few lots wait to be written.
#include "Feuille.h"
#include "simulateur/ConsoleUtf8.h"
#include "simulateur/FichierEntier.h"
#include "simulateur/OptionsSim.h"
#include "simulateur/PartieSimulee.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace feuille;

namespace {

// What a lot of games leaves to write, in the games' order.
struct Lot {
    std::string trace, fautes;
    bool pret = false;
};

class Course {
public:
    Course(const OptionsSim &o, FichierEntier *trace)
        : o_(o), trace_(trace),
          // Small lots when tracing (about 13 KB of trace per game), larger ones otherwise.
          taille_(trace ? 8 : 256),
          nbLots_((o.parties + taille_ - 1) / taille_),
          fenetre_(static_cast<std::size_t>(4 * o.fils)) {}

    // Plays every game; false when the trace could not be written.
    bool jouer(Bilan &total) {
        std::vector<Bilan> bilans(static_cast<std::size_t>(o_.fils));
        std::vector<std::thread> fils;
        for (auto &b : bilans) fils.emplace_back([this, &b] { travailler(b); });
        const bool ok = ecrire();
        for (auto &f : fils) f.join();
        for (const auto &b : bilans) total.fusionner(b);
        return ok;
    }

private:
    Lot &case_(long long lot) { return fenetre_[static_cast<std::size_t>(lot % static_cast<long long>(fenetre_.size()))]; }

    void travailler(Bilan &bilan) {
        for (;;) {
            const long long lot = prochain_.fetch_add(1);
            if (lot >= nbLots_) return;
            {
                // A lot is played only when its place in the window is free.
                std::unique_lock verrou(m_);
                cv_.wait(verrou, [&] { return arret_ || lot < ecrits_ + static_cast<long long>(fenetre_.size()); });
                if (arret_) return;
            }
            Lot resultat;
            const long long fin = std::min(o_.parties, (lot + 1) * taille_);
            for (long long partie = lot * taille_ + 1; partie <= fin; ++partie)
                jouerPartie(o_.graine, partie, o_.verifier, bilan, trace_ ? &resultat.trace : nullptr,
                            resultat.fautes);
            resultat.pret = true;
            {
                std::lock_guard verrou(m_);
                case_(lot) = std::move(resultat);
            }
            cv_.notify_all();
        }
    }

    // The lots' trace and faults, written in order as they come.
    bool ecrire() {
        for (long long lot = 0; lot < nbLots_; ++lot) {
            Lot resultat;
            {
                std::unique_lock verrou(m_);
                cv_.wait(verrou, [&] { return case_(lot).pret; });
                resultat = std::move(case_(lot));
                case_(lot) = Lot{};
                ++ecrits_;
            }
            cv_.notify_all();
            if (!resultat.fautes.empty()) std::fputs(resultat.fautes.c_str(), stderr);
            if (trace_ && !trace_->ecrire(resultat.trace)) {
                {
                    std::lock_guard verrou(m_);
                    arret_ = true;
                }
                cv_.notify_all();
                return false;
            }
        }
        return true;
    }

    const OptionsSim &o_;
    FichierEntier *trace_;
    const long long taille_, nbLots_;
    std::vector<Lot> fenetre_;
    std::atomic<long long> prochain_{0};
    std::mutex m_;
    std::condition_variable cv_;
    long long ecrits_ = 0;
    bool arret_ = false;
};

void afficher(const OptionsSim &o, const Bilan &b, double secondes) {
    std::printf("%lld parties, graine %llu, %d fils, %.3f s, %.0f parties par seconde\n\n", o.parties, o.graine,
                o.fils, secondes, static_cast<double>(o.parties) / std::max(secondes, 1e-9));
    std::printf("%-22s %12s %12s\n", "", "ORDY", "joueur simple");
    auto ligne = [](const char *nom, double a, double c, const char *format) {
        char fa[32], fc[32];
        std::snprintf(fa, sizeof fa, format, a);
        std::snprintf(fc, sizeof fc, format, c);
        std::printf("%-22s %12s %12s\n", nom, fa, fc);
    };
    const auto pourcent = [](long long x, long long n) { return 100.0 * static_cast<double>(x) / static_cast<double>(n); };
    const Statistiques &ordy = b.ordy, &simple = b.simple;
    ligne("TOTAL GENERAL moyen", ordy.moyenne(), simple.moyenne(), "%.2f");
    ligne("écart type", ordy.ecartType(), simple.ecartType(), "%.2f");
    ligne("minimum", ordy.min, simple.min, "%.0f");
    ligne("maximum", ordy.max, simple.max, "%.0f");
    ligne("prime (%)", pourcent(ordy.primes, ordy.n), pourcent(simple.primes, simple.n), "%.2f");
    ligne("parties gagnées", static_cast<double>(b.victoiresOrdy), static_cast<double>(b.victoiresSimple), "%.0f");
    std::printf("%-22s %12lld\n", "parties nulles", b.egalites);
    std::printf("\nlignes marquées 0 (%% des parties)\n");
    for (int l = 1; l <= 17; ++l) {
        if (!estLigneDeMarque(l)) continue;
        ligne(std::string(NomLigne[l]).c_str(), pourcent(ordy.zeros[l], ordy.n), pourcent(simple.zeros[l], simple.n),
              "%.2f");
    }
}

}  // namespace

int main(int argc, char **argv) {
    ConsoleUtf8 console;
    std::string erreur;
    auto lues = lireOptions(argc, argv, erreur);
    if (!lues) {
        std::fprintf(stderr, "kubrix-sim : %s\n", erreur.c_str());
        return 2;
    }
    OptionsSim o = *lues;
    if (o.fils == 0) o.fils = coeursDisponibles();

    FichierEntier fichier;
    FichierEntier *trace = nullptr;
    if (!o.trace.empty()) {
        if (!fichier.ouvrir(o.trace, erreur)) {
            std::fprintf(stderr, "kubrix-sim : %s\n", erreur.c_str());
            return 2;
        }
        trace = &fichier;
    }

    Bilan bilan;
    const auto debut = std::chrono::steady_clock::now();
    Course course(o, trace);
    course.jouer(bilan);  // stops early when the trace cannot be written: terminer() says why
    if (trace && !fichier.terminer(erreur)) {
        std::fprintf(stderr, "kubrix-sim : %s\n", erreur.c_str());
        return 2;
    }
    const double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    afficher(o, bilan, secondes);
    if (bilan.fautes) {
        std::printf("\n%lld fautes\n", bilan.fautes);
        return 1;
    }
    return 0;
}
