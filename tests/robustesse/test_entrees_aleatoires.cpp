// SPDX-License-Identifier: GPL-3.0-or-later
// Random input on the real window, pauses taking no time. The number of
// events and the seed come from KUBRIX_EVENEMENTS and KUBRIX_GRAINE.
#include "Apropos.h"
#include "Attente.h"
#include "ChoixNom.h"
#include "PiloteAleatoire.h"
#include "RouteurAide.h"
#include "yams1.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

long long variable(const char *nom, long long defaut) {
    const QByteArray v = qgetenv(nom);
    bool ok = false;
    const long long n = v.toLongLong(&ok);
    return ok ? n : defaut;
}

// Ends the process when the run stops moving: a hang must fail, not wait.
class ChienDeGarde {
public:
    ChienDeGarde(const std::atomic<long long> &progres, int secondes)
        : fil_([this, &progres, secondes] {
              long long vu = -1;
              std::unique_lock verrou(m_);
              while (!fin_) {
                  if (cv_.wait_for(verrou, std::chrono::seconds(secondes), [this] { return fin_; })) return;
                  const long long n = progres.load();
                  if (n == vu) {
                      std::fprintf(stderr, "blocage : aucun événement depuis %d s (dernier : %lld)\n", secondes, n);
                      std::abort();
                  }
                  vu = n;
              }
          }) {}
    ~ChienDeGarde() {
        {
            std::lock_guard verrou(m_);
            fin_ = true;
        }
        cv_.notify_all();
        fil_.join();
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool fin_ = false;
    std::thread fil_;
};

}  // namespace

TEST(EntreesAleatoires, LesInvariantsTiennentApresChaqueEvenement) {
    const long long nombre = variable("KUBRIX_EVENEMENTS", 10'000);
    const auto graine = static_cast<std::uint64_t>(variable("KUBRIX_GRAINE", 1));

    TFicheYams f;
    auto *aboutBox = new TAboutBox(&f);
    auto *delai = new TDELAI(&f);
    auto *chNom = new TChNom(&f);
    f.relier(aboutBox, delai, chNom);
    long long pauses = 0;
    delai->remplacerPause([&](const QString &, const QString &, int) { ++pauses; });
    f.routeurAide()->definirDossiers({QStringLiteral(KUBRIX_AIDE)});
    f.showMaximized();
    f.activateWindow();

    PiloteAleatoire pilote(f, graine);
    QElapsedTimer chrono;
    chrono.start();
    {
        ChienDeGarde chien(pilote.progres, 60);
        pilote.jouer(nombre);
    }

    std::printf("%lld événements (graine %llu) en %.1f s : %lld vérifications, %d inscriptions au plus dans une partie, %lld parties finies, %lld annonces, "
                "%lld pauses, %lld fermetures de la fenêtre\n",
                pilote.evenements, static_cast<unsigned long long>(graine), double(chrono.elapsed()) / 1000.0,
                pilote.verifications, pilote.rempliesMax, pilote.partiesFinies, pilote.annonces, pauses, pilote.fermeturesFenetre);
    for (const auto &[genre, n] : pilote.parGenre) std::printf("  %-20s %lld\n", qPrintable(genre), n);

    EXPECT_EQ(pilote.evenements, nombre);
    EXPECT_EQ(pilote.fautesTotal, 0) << pilote.fautes.join(QLatin1Char('\n')).toStdString();
    // The run must reach the game, not only bounce off refused clicks.
    EXPECT_GT(pauses, 0);
}
