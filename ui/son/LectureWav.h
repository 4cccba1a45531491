// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading of a RIFF WAVE image in memory: where its samples are and how to
// play them. Only uncompressed PCM of 8 or 16 bits is accepted; anything
// else, or an image cut short, is refused rather than read past its end.
#include <cstddef>
#include <cstdint>
#include <optional>

struct SonWav {
    int bits = 0;            // 8 (unsigned) or 16 (signed, little-endian)
    int canaux = 0;          // 1 or 2
    std::uint32_t frequence = 0;
    const unsigned char *echantillons = nullptr;
    std::size_t taille = 0;  // bytes of whole frames, within the image
};

std::optional<SonWav> lireWav(const unsigned char *image, std::size_t taille);
