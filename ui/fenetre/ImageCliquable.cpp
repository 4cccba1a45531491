// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageCliquable.h"

#include <QMouseEvent>

// The second click of a double-click is no click: one double-click, one toggle.
void ImageCliquable::mouseDoubleClickEvent(QMouseEvent *evenement) {
    if (evenement->button() == Qt::LeftButton) doubleClic_ = true;
    QLabel::mouseDoubleClickEvent(evenement);
}

void ImageCliquable::mouseReleaseEvent(QMouseEvent *evenement) {
    // A click: pressed and released with the left button over the picture.
    if (evenement->button() == Qt::LeftButton) {
        const bool second = doubleClic_;
        doubleClic_ = false;
        if (!second && rect().contains(evenement->position().toPoint())) emit clic();
    }
    QLabel::mouseReleaseEvent(evenement);
}
