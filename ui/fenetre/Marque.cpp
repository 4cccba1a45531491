// SPDX-License-Identifier: GPL-3.0-or-later
#include "Marque.h"

#include <QPainter>

Marque::Marque(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);  // a click near a die still reaches the die
}

void Marque::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
}
