// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two stock pictures of the sheet button: a green check mark (the look
// that goes with a hidden sheet) and a red cross (a shown sheet).
#include <QIcon>

namespace icones {
QIcon coche();
QIcon croix();
}  // namespace icones
