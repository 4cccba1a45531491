// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's dialogs open centred on the screen, frame included, not on their owner.
#include <QMargins>

class QWidget;

void centrerSurEcran(QWidget *fenetre);

// The window manager's frame around a window (null while not known yet).
QMargins margesDuCadre(const QWidget *fenetre);
