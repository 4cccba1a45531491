// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound through PulseAudio (or PipeWire's PulseAudio service), its library
// opened at the first sound only, so that a game that never plays one never
// loads it. One thread of ours writes the samples in short slices, so that a
// new sound or a stop cuts the one before within a slice. With no library or
// no sound server, nothing is heard and nothing else happens; a server that
// stops answering does not keep the program from quitting.
#include <memory>
#include <string>
#include <thread>

#include "SortieSon.h"

class SortieSonPulse : public SortieSon {
public:
    // `bibliotheque`: the client library to open (another one in the tests).
    explicit SortieSonPulse(std::string bibliotheque = "libpulse-simple.so.0");
    ~SortieSonPulse() override;

    void jouer(const std::string &nom, const unsigned char *image, std::size_t taille) override;
    void arreter() override;

    struct Etat;  // shared with the thread, which may outlive the output (see the destructor)

private:
    std::shared_ptr<Etat> etat_;
    std::thread fil_;
};
