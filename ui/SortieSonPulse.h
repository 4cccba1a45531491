#pragma once
// Sound through PulseAudio (or PipeWire's PulseAudio service), its library
// opened at the first sound only, so that a game that never plays one never
// loads it. One thread of ours writes the samples in short slices, so that a
// new sound or a stop cuts the one before within a slice. With no library or
// no sound server, nothing is heard and nothing else happens.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "LectureWav.h"
#include "SortieSon.h"

class SortieSonPulse : public SortieSon {
public:
    // `bibliotheque`: the client library to open (another one in the tests).
    explicit SortieSonPulse(std::string bibliotheque = "libpulse-simple.so.0");
    ~SortieSonPulse() override;

    void jouer(const std::string &nom, const unsigned char *image, std::size_t taille) override;
    void arreter() override;

private:
    struct Fonctions;
    void boucle();
    void jouerSon(const SonWav &son, std::uint64_t numero);
    bool ouvrirFlux(const SonWav &son);
    void fermerFlux(bool jusquAuBout);
    bool doitCesser(std::uint64_t numero);

    const std::string bibliotheque_;
    std::mutex verrou_;
    std::condition_variable reveil_;
    std::thread fil_;
    SonWav demande_;
    bool aJouer_ = false;
    bool fin_ = false;
    std::uint64_t numero_ = 0;  // counts the calls: the sound that plays has its number

    // Owned by the thread alone.
    Fonctions *fonctions_ = nullptr;
    bool indisponible_ = false;
    void *flux_ = nullptr;
    SonWav formatFlux_;
};
