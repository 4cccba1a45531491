// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit's own texts (context menus, scroll-bar menu, stock buttons) in
// French, whatever the user's language: the game speaks French only.
// Returns false when the system has no French translation of Qt: the toolkit
// then keeps its English texts, and the game runs all the same.
bool chargerTraductionQt();
