#include "SortieSonPulse.h"

#ifdef KUBRIX_SON_PULSE

#include <dlfcn.h>

#include <algorithm>

namespace {

// The few types of the PulseAudio "simple" API we use, as its headers
// declare them; the library is opened at run time, so no header is needed.
struct pa_sample_spec {
    int format;
    std::uint32_t rate;
    std::uint8_t channels;
};
struct pa_buffer_attr {
    std::uint32_t maxlength, tlength, prebuf, minreq, fragsize;
};
struct pa_simple;
constexpr int PA_STREAM_PLAYBACK = 1;
constexpr int PA_SAMPLE_U8 = 0;
constexpr int PA_SAMPLE_S16LE = 3;

// Slices of 20 ms: how long a new sound may wait for the one before to stop.
constexpr std::uint32_t TRANCHE_MS = 20;
// What the server keeps ahead of the speaker: short, for the same reason.
constexpr std::uint32_t AVANCE_MS = 100;

std::size_t octetsPour(const SonWav &son, std::uint32_t ms) {
    const std::size_t trame = std::size_t(son.canaux) * std::size_t(son.bits / 8);
    return std::max<std::size_t>(trame, std::size_t(son.frequence) * ms / 1000 * trame);
}

}  // namespace

struct SortieSonPulse::Fonctions {
    pa_simple *(*nouveau)(const char *, const char *, int, const char *, const char *, const pa_sample_spec *,
                          const void *, const pa_buffer_attr *, int *);
    int (*ecrire)(pa_simple *, const void *, std::size_t, int *);
    int (*vider)(pa_simple *, int *);
    int (*attendreFin)(pa_simple *, int *);
    void (*liberer)(pa_simple *);
};

SortieSonPulse::SortieSonPulse(std::string bibliotheque) : bibliotheque_(std::move(bibliotheque)) {}

SortieSonPulse::~SortieSonPulse() {
    {
        std::lock_guard<std::mutex> g(verrou_);
        fin_ = true;
    }
    reveil_.notify_one();
    if (fil_.joinable()) fil_.join();
    delete fonctions_;
    // The library stays loaded: unloading it at exit buys nothing.
}

void SortieSonPulse::jouer(const std::string &, const unsigned char *image, std::size_t taille) {
    const std::optional<SonWav> son = lireWav(image, taille);
    {
        std::lock_guard<std::mutex> g(verrou_);
        ++numero_;
        aJouer_ = son.has_value();
        if (son) demande_ = *son;
        // The thread starts with the first sound: none while none is played.
        if (aJouer_ && !fil_.joinable()) fil_ = std::thread(&SortieSonPulse::boucle, this);
    }
    reveil_.notify_one();
}

void SortieSonPulse::arreter() {
    std::lock_guard<std::mutex> g(verrou_);
    ++numero_;
    aJouer_ = false;
}

bool SortieSonPulse::doitCesser(std::uint64_t numero) {
    std::lock_guard<std::mutex> g(verrou_);
    return fin_ || numero_ != numero;
}

void SortieSonPulse::boucle() {
    std::unique_lock<std::mutex> v(verrou_);
    for (;;) {
        reveil_.wait(v, [this] { return fin_ || aJouer_; });
        if (fin_) break;
        const SonWav son = demande_;
        const std::uint64_t numero = numero_;
        aJouer_ = false;
        v.unlock();
        jouerSon(son, numero);
        v.lock();
        // Cut by a stop rather than by a new sound: the stream is let go too.
        if (!aJouer_ && flux_) {
            v.unlock();
            fermerFlux(false);
            v.lock();
        }
    }
    v.unlock();
    fermerFlux(false);
}

void SortieSonPulse::jouerSon(const SonWav &son, std::uint64_t numero) {
    if (!ouvrirFlux(son)) return;
    const std::size_t tranche = octetsPour(son, TRANCHE_MS);
    for (std::size_t fait = 0; fait < son.taille; fait += tranche) {
        if (doitCesser(numero)) {
            // The next sound may use the same stream: only what is queued goes.
            int erreur = 0;
            fonctions_->vider(static_cast<pa_simple *>(flux_), &erreur);
            return;
        }
        int erreur = 0;
        if (fonctions_->ecrire(static_cast<pa_simple *>(flux_), son.echantillons + fait,
                               std::min(tranche, son.taille - fait), &erreur) < 0) {
            fermerFlux(false);
            return;
        }
    }
    // Played to its end: the stream is let go, so that an idle game holds no
    // stream open on the sound server.
    fermerFlux(true);
}

bool SortieSonPulse::ouvrirFlux(const SonWav &son) {
    if (indisponible_) return false;
    if (!fonctions_) {
        void *b = dlopen(bibliotheque_.c_str(), RTLD_NOW | RTLD_LOCAL);
        auto f = b ? new Fonctions{} : nullptr;
        if (f) {
            f->nouveau = reinterpret_cast<decltype(f->nouveau)>(dlsym(b, "pa_simple_new"));
            f->ecrire = reinterpret_cast<decltype(f->ecrire)>(dlsym(b, "pa_simple_write"));
            f->vider = reinterpret_cast<decltype(f->vider)>(dlsym(b, "pa_simple_flush"));
            f->attendreFin = reinterpret_cast<decltype(f->attendreFin)>(dlsym(b, "pa_simple_drain"));
            f->liberer = reinterpret_cast<decltype(f->liberer)>(dlsym(b, "pa_simple_free"));
        }
        if (!f || !f->nouveau || !f->ecrire || !f->vider || !f->attendreFin || !f->liberer) {
            delete f;
            indisponible_ = true;  // no such library here: silence for the whole run
            return false;
        }
        fonctions_ = f;
    }
    if (flux_ && (formatFlux_.bits != son.bits || formatFlux_.canaux != son.canaux ||
                  formatFlux_.frequence != son.frequence))
        fermerFlux(false);
    if (flux_) return true;
    const pa_sample_spec format{son.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, son.frequence,
                                std::uint8_t(son.canaux)};
    const std::uint32_t avance = std::uint32_t(octetsPour(son, AVANCE_MS));
    const std::uint32_t parDefaut = UINT32_MAX;
    const pa_buffer_attr tampon{parDefaut, avance, parDefaut, parDefaut, parDefaut};
    int erreur = 0;
    // No server (none running, or no sound at all on this machine): tried
    // again at the next sound, which costs this thread a refused connection.
    flux_ = fonctions_->nouveau(nullptr, "KUBRIX", PA_STREAM_PLAYBACK, nullptr, "Yams", &format, nullptr,
                                &tampon, &erreur);
    formatFlux_ = son;
    return flux_ != nullptr;
}

void SortieSonPulse::fermerFlux(bool jusquAuBout) {
    if (!flux_) return;
    auto *flux = static_cast<pa_simple *>(flux_);
    int erreur = 0;
    if (jusquAuBout)
        fonctions_->attendreFin(flux, &erreur);  // at most AVANCE_MS
    else
        fonctions_->vider(flux, &erreur);
    fonctions_->liberer(flux);
    flux_ = nullptr;
}

#endif

#ifdef KUBRIX_SON_PULSE
std::unique_ptr<SortieSon> creerSortieSon() { return std::make_unique<SortieSonPulse>(); }
#endif
