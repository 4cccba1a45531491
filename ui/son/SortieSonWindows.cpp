// SPDX-License-Identifier: GPL-3.0-or-later
// Sound on Windows: the system's own player of WAV images in memory, which
// plays in the background and replaces the sound that plays by itself.
#include "SortieSon.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

class SortieSonWindows : public SortieSon {
public:
    ~SortieSonWindows() override { arreter(); }
    void jouer(const std::string &, const unsigned char *image, std::size_t) override {
        // No default system sound in place of one that cannot be played.
        PlaySoundA(reinterpret_cast<LPCSTR>(image), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    }
    void arreter() override { PlaySoundA(nullptr, nullptr, 0); }
};

}  // namespace

std::unique_ptr<SortieSon> creerSortieSon() { return std::make_unique<SortieSonWindows>(); }
