// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Array indexed the way the game counts (dice 1..5, faces 1..6, rows 1..17,
// player columns 2..3), so that code reads like the rules it implements.
#include <array>
#include <cassert>
#include <cstddef>

template <typename T, int Premier, int Dernier>
class TableauIndexe {
    static_assert(Dernier >= Premier);

public:
    static constexpr int premier = Premier;
    static constexpr int dernier = Dernier;

    constexpr T &operator[](int i) {
        assert(i >= Premier && i <= Dernier);
        return valeurs_[static_cast<std::size_t>(i - Premier)];
    }
    constexpr const T &operator[](int i) const {
        assert(i >= Premier && i <= Dernier);
        return valeurs_[static_cast<std::size_t>(i - Premier)];
    }
    constexpr void remplir(const T &v) { valeurs_.fill(v); }
    constexpr bool operator==(const TableauIndexe &) const = default;

private:
    std::array<T, static_cast<std::size_t>(Dernier - Premier + 1)> valeurs_{};
};
