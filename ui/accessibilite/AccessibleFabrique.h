// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives Qt's accessibility the interfaces of the game's own widgets (the
// sheet and the dice). Calling it more than once does nothing more.
void installerFabriqueAccessible();
