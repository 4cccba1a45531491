// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work the first frame of a window does not need, done right after that
// frame, so that the window does not wait for it to appear.
#include <functional>

class QWidget;

// Calls `suite` once, as soon as `fenetre` (shown, or about to be) has drawn
// its first frame.
void apresPremiereImage(QWidget *fenetre, std::function<void()> suite);
