// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconesBoutons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace icones {

namespace {

QPixmap dessiner(const QColor &couleur, const QPainterPath &trace) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(couleur, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace);
    return pm;
}

}  // namespace

QIcon coche() {
    QPainterPath t;
    t.moveTo(2.5, 8.5);
    t.lineTo(6.5, 12.5);
    t.lineTo(13.5, 3.5);
    return QIcon(dessiner(QColor(0, 160, 0), t));
}

QIcon croix() {
    QPainterPath t;
    t.moveTo(3.5, 3.5);
    t.lineTo(12.5, 12.5);
    t.moveTo(12.5, 3.5);
    t.lineTo(3.5, 12.5);
    return QIcon(dessiner(QColor(210, 0, 0), t));
}

}  // namespace icones
