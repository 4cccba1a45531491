// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's pictures at the screen's density. Every picture name.png has a
// twice-as-large drawing name@2x.png: on a screen of more than one device
// pixel per logical pixel that one is shown, at the same logical size, so the
// pictures stay as sharp as the text instead of being the small ones scaled up.
#include <QIcon>
#include <QPixmap>
#include <QString>

// `chemin` names the 1x picture; `ratio` is the device pixel ratio of the
// widget that shows it.
QPixmap imageNette(const QString &chemin, qreal ratio);

// An icon of both drawings, each used at its density.
QIcon iconeNette(const QString &chemin);

// The program's icon in every size drawn for the desktop, 16 to 256 pixels:
// task switchers show it at 48, 64 and more.
QIcon iconeToutesTailles();
