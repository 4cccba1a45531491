// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dice's random source: a 32-bit linear congruential generator re-seeded
// from the UTC time of day before every roll. Random(n) takes the upper 32 bits
// of the 64-bit product of the new state and n.
#include <cstdint>

class Hasard {
public:
    void graine(std::uint32_t g) { etat_ = g; }
    std::uint32_t etat() const { return etat_; }

    // A whole number from 0 to n - 1.
    std::int32_t Random(std::int32_t n) {
        etat_ = etat_ * 134775813u + 1u;
        return static_cast<std::int32_t>((static_cast<std::uint64_t>(etat_) * static_cast<std::uint32_t>(n)) >> 32);
    }

private:
    std::uint32_t etat_ = 0;
};
