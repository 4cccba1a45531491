// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's dialogs open centred on the screen, frame included, not on their owner.
class QWidget;

void centrerSurEcran(QWidget *fenetre);
