// SPDX-License-Identifier: GPL-3.0-or-later
#include "LectureWav.h"

#include <cstring>

namespace {

std::uint32_t lire32(const unsigned char *p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t lire16(const unsigned char *p) { return std::uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::optional<SonWav> lireWav(const unsigned char *image, std::size_t taille) {
    if (!image || taille < 12 || std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0)
        return std::nullopt;
    SonWav son;
    bool formatLu = false;
    std::size_t position = 12;
    // Chunks follow one another, each padded to an even length; "fmt " must
    // come before "data", the rest ("LIST"...) is skipped.
    while (taille - position >= 8) {
        const unsigned char *entete = image + position;
        const std::size_t longueur = lire32(entete + 4);
        const std::size_t reste = taille - position - 8;
        if (std::memcmp(entete, "fmt ", 4) == 0) {
            if (longueur < 16 || longueur > reste || lire16(entete + 8) != 1) return std::nullopt;  // 1: PCM
            son.canaux = lire16(entete + 10);
            son.frequence = lire32(entete + 12);
            son.bits = lire16(entete + 22);
            if ((son.canaux != 1 && son.canaux != 2) || (son.bits != 8 && son.bits != 16) ||
                son.frequence < 1000 || son.frequence > 192000)
                return std::nullopt;
            formatLu = true;
        } else if (std::memcmp(entete, "data", 4) == 0) {
            if (!formatLu) return std::nullopt;
            const std::size_t trame = std::size_t(son.canaux) * std::size_t(son.bits / 8);
            // A data chunk longer than the image is played as far as it goes.
            const std::size_t utile = longueur < reste ? longueur : reste;
            son.echantillons = entete + 8;
            son.taille = utile - utile % trame;
            if (son.taille == 0) return std::nullopt;
            return son;
        }
        if (longueur > reste) return std::nullopt;
        position += 8 + longueur + (longueur & 1);
        if (position > taille) return std::nullopt;
    }
    return std::nullopt;
}
