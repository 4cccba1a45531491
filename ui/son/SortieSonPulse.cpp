// SPDX-License-Identifier: GPL-3.0-or-later
#include "SortieSonPulse.h"

#include <dlfcn.h>
#include "FormatPulse.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "LectureWav.h"

namespace {

using Horloge = std::chrono::steady_clock;

// Slices of 20 ms: how long a new sound may wait for the one before to stop.
constexpr std::uint32_t TRANCHE_MS = 20;
// What the server keeps ahead of the speaker: short, for the same reason.
constexpr std::uint32_t AVANCE_MS = 100;
// What should have sounded longer ago than this is dropped (a sound server
// frozen, then back): a roll is not heard seconds after it.
constexpr std::chrono::milliseconds RETARD_MAX{1000};
// How long quitting waits for the thread to let its stream go.
constexpr std::chrono::milliseconds ATTENTE_FIN{500};

std::size_t tramesPour(const SonWav &son, std::uint32_t ms) {
    return std::max<std::size_t>(1, std::size_t(son.frequence) * ms / 1000);
}

// The server is handed 16-bit signed samples, whatever the image holds:
// silence is then zero, which is what a server plays where a stream has
// nothing (after its end, after a late write). Zero in 8-bit unsigned is
// full scale, heard as a click or a thump.
void convertir(const SonWav &son, std::size_t premiere, std::size_t trames, std::int16_t *sortie) {
    const std::size_t n = trames * std::size_t(son.canaux);
    const unsigned char *e = son.echantillons + premiere * std::size_t(son.canaux) * std::size_t(son.bits / 8);
    for (std::size_t i = 0; i < n; ++i)
        sortie[i] = son.bits == 8 ? std::int16_t((e[i] - 128) * 256) : std::int16_t(e[2 * i] | e[2 * i + 1] << 8);
}

// The client library's entry points, typed by its own header.
struct Fonctions {
    decltype(&pa_simple_new) nouveau;
    decltype(&pa_simple_write) ecrire;
    decltype(&pa_simple_flush) vider;
    decltype(&pa_simple_drain) attendreFin;
    decltype(&pa_simple_free) liberer;
};

}  // namespace

struct SortieSonPulse::Etat {
    const std::string bibliotheque;
    explicit Etat(std::string b) : bibliotheque(std::move(b)) {}

    // Shared with the program's thread.
    std::mutex verrou;
    std::condition_variable reveil, termine;
    SonWav demande;
    Horloge::time_point quand;  // of the request
    bool aJouer = false;
    bool fin = false;
    bool fini = false;
    std::uint64_t numero = 0;  // counts the calls: the sound that plays has its number

    // The thread's own.
    std::optional<Fonctions> fonctions;
    bool indisponible = false;
    pa_simple *flux = nullptr;
    SonWav formatFlux;
    std::vector<std::int16_t> tampon;  // one slice, converted

    void boucle();
    void jouerSon(const SonWav &son, std::uint64_t numeroSon, Horloge::time_point quandSon);
    bool ouvrirFlux(const SonWav &son);
    void fermerFlux(bool jusquAuBout);
    bool doitCesser(std::uint64_t numeroSon) {
        std::lock_guard<std::mutex> g(verrou);
        return fin || numero != numeroSon;
    }
};

SortieSonPulse::SortieSonPulse(std::string bibliotheque)
    : etat_(std::make_shared<Etat>(std::move(bibliotheque))) {}

SortieSonPulse::~SortieSonPulse() {
    std::unique_lock<std::mutex> v(etat_->verrou);
    etat_->fin = true;
    etat_->reveil.notify_one();
    if (!fil_.joinable()) return;
    // A sound server that no longer answers would hold the thread inside its
    // library for ever: after a moment the thread is left to end with the
    // program, holding its own share of the state.
    const bool fini = etat_->termine.wait_for(v, ATTENTE_FIN, [this] { return etat_->fini; });
    v.unlock();
    if (fini)
        fil_.join();
    else
        fil_.detach();
    // The library stays loaded: unloading it at exit buys nothing.
}

void SortieSonPulse::jouer(const std::string &, const unsigned char *image, std::size_t taille) {
    const std::optional<SonWav> son = lireWav(image, taille);
    {
        std::lock_guard<std::mutex> g(etat_->verrou);
        ++etat_->numero;
        etat_->aJouer = son.has_value();
        if (son) etat_->demande = *son;
        etat_->quand = Horloge::now();
        // The thread starts with the first sound: none while none is played.
        if (son && !fil_.joinable()) fil_ = std::thread([etat = etat_] { etat->boucle(); });
    }
    etat_->reveil.notify_one();
}

void SortieSonPulse::arreter() {
    std::lock_guard<std::mutex> g(etat_->verrou);
    ++etat_->numero;
    etat_->aJouer = false;
}

void SortieSonPulse::Etat::boucle() {
    std::unique_lock<std::mutex> v(verrou);
    for (;;) {
        reveil.wait(v, [this] { return fin || aJouer; });
        if (fin) break;
        const SonWav son = demande;
        const std::uint64_t numeroSon = numero;
        const Horloge::time_point quandSon = quand;
        aJouer = false;
        v.unlock();
        jouerSon(son, numeroSon, quandSon);
        v.lock();
        // Cut by a stop rather than by a new sound: the stream is let go too.
        if (!aJouer && flux) {
            v.unlock();
            fermerFlux(false);
            v.lock();
        }
    }
    v.unlock();
    fermerFlux(false);
    v.lock();
    fini = true;
    termine.notify_one();
}

void SortieSonPulse::Etat::jouerSon(const SonWav &son, std::uint64_t numeroSon, Horloge::time_point quandSon) {
    if (!ouvrirFlux(son)) return;
    const std::size_t trames = son.taille / std::size_t(son.canaux * son.bits / 8);
    const std::size_t tranche = tramesPour(son, TRANCHE_MS);
    tampon.resize(tranche * std::size_t(son.canaux));
    for (std::size_t fait = 0; fait < trames; fait += tranche) {
        int erreur = 0;
        if (doitCesser(numeroSon)) {
            // The next sound may use the same stream: only what is queued goes.
            fonctions->vider(flux, &erreur);
            return;
        }
        if (Horloge::now() > quandSon + std::chrono::milliseconds(fait * 1000 / son.frequence) + RETARD_MAX)
            continue;
        const std::size_t n = std::min(tranche, trames - fait);
        convertir(son, fait, n, tampon.data());
        if (fonctions->ecrire(flux, tampon.data(), n * std::size_t(son.canaux) * sizeof(std::int16_t), &erreur) < 0) {
            fermerFlux(false);
            return;
        }
    }
    // Played to its end: the stream is let go, so that an idle game holds no
    // stream open on the sound server.
    fermerFlux(true);
}

bool SortieSonPulse::Etat::ouvrirFlux(const SonWav &son) {
    if (indisponible) return false;
    if (!fonctions) {
        Fonctions f{};
        if (void *b = dlopen(bibliotheque.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            f.nouveau = reinterpret_cast<decltype(f.nouveau)>(dlsym(b, "pa_simple_new"));
            f.ecrire = reinterpret_cast<decltype(f.ecrire)>(dlsym(b, "pa_simple_write"));
            f.vider = reinterpret_cast<decltype(f.vider)>(dlsym(b, "pa_simple_flush"));
            f.attendreFin = reinterpret_cast<decltype(f.attendreFin)>(dlsym(b, "pa_simple_drain"));
            f.liberer = reinterpret_cast<decltype(f.liberer)>(dlsym(b, "pa_simple_free"));
        }
        if (!f.nouveau || !f.ecrire || !f.vider || !f.attendreFin || !f.liberer) {
            indisponible = true;  // no such library here: silence for the whole run
            return false;
        }
        fonctions = f;
    }
    if (flux && (formatFlux.canaux != son.canaux || formatFlux.frequence != son.frequence)) fermerFlux(false);
    if (flux) return true;
    const FormatPa format{PA_SAMPLE_S16LE, son.frequence, std::uint8_t(son.canaux)};
    const std::uint32_t parDefaut = UINT32_MAX;
    const pa_buffer_attr avance{.maxlength = parDefaut,
                                .tlength = std::uint32_t(tramesPour(son, AVANCE_MS) * std::size_t(son.canaux) *
                                                         sizeof(std::int16_t)),
                                .prebuf = parDefaut,
                                .minreq = parDefaut,
                                .fragsize = parDefaut};
    int erreur = 0;
    // No server (none running, or no sound at all on this machine): tried
    // again at the next sound, which costs this thread a refused connection.
    flux = fonctions->nouveau(nullptr, "KUBRIX", PA_STREAM_PLAYBACK, nullptr, "Yams", &format, nullptr, &avance,
                              &erreur);
    formatFlux = son;
    return flux != nullptr;
}

void SortieSonPulse::Etat::fermerFlux(bool jusquAuBout) {
    if (!flux) return;
    int erreur = 0;
    if (jusquAuBout)
        fonctions->attendreFin(flux, &erreur);  // at most AVANCE_MS
    else
        fonctions->vider(flux, &erreur);
    fonctions->liberer(flux);
    flux = nullptr;
}

std::unique_ptr<SortieSon> creerSortieSon() { return std::make_unique<SortieSonPulse>(); }
