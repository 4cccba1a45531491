// SPDX-License-Identifier: GPL-3.0-or-later
#include "Couleurs.h"

#include <QWidget>

void colorer(QWidget *widget, QPalette::ColorRole role, const QColor &couleur) {
    QPalette palette = widget->palette();
    palette.setColor(role, couleur);
    widget->setPalette(palette);
}
