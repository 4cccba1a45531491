// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives Qt's accessibility the interfaces of the game's own widgets (the
// sheet and the dice); main() calls it once, before any window (a second
// call would do nothing more).
void installerFabriqueAccessible();
