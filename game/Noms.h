// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of the name dialog's OK button: the first name is required, and
// the second one too while its field is shown. A name of spaces is a name.
#include <string_view>

inline bool nomsAcceptables(std::string_view nom1, std::string_view nom2, bool nom2Visible) {
    return !nom1.empty() && (!nom2.empty() || !nom2Visible);
}

inline constexpr std::string_view MessageNomsManquants = "Vous devez rentrer les noms ou appuyez sur Annuler";
