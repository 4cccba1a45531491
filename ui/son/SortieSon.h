// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What plays a sound on this system: a WAV image in memory, started at once
// and played once in the background, a new sound replacing the one that
// plays. Failures are silent. The image must stay valid until the next call
// or the output's destruction (the program's sounds live as long as it).
#include <cstddef>
#include <memory>
#include <string>

class SortieSon {
public:
    virtual ~SortieSon() = default;
    // `nom` names the sound ("LANCER"...), for outputs that find it by name.
    virtual void jouer(const std::string &nom, const unsigned char *image, std::size_t taille) = 0;
    // Stops the sound that plays, if any.
    virtual void arreter() = 0;
};

// The output of the platform the program was built for.
std::unique_ptr<SortieSon> creerSortieSon();
