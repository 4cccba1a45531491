// SPDX-License-Identifier: GPL-3.0-or-later
#include "Centrage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QMargins margesDuCadre(const QWidget *fenetre) {
    const QRect dedans = fenetre->geometry(), dehors = fenetre->frameGeometry();
    return {dedans.left() - dehors.left(), dedans.top() - dehors.top(), dehors.right() - dedans.right(),
            dehors.bottom() - dedans.bottom()};
}

void centrerSurEcran(QWidget *fenetre) {
    QScreen *ecran = fenetre->parentWidget() ? fenetre->parentWidget()->screen() : fenetre->screen();
    if (!ecran) ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    // Before its first showing a window has no frame yet: the window manager
    // will draw one like its owner's, so that one stands in for it.
    const QMargins propre = margesDuCadre(fenetre);
    QMargins marges = propre;
    if (marges.isNull() && fenetre->parentWidget()) marges = margesDuCadre(fenetre->parentWidget()->window());
    QRect rect = fenetre->geometry().marginsAdded(marges);
    rect.moveCenter(ecran->availableGeometry().center());
    // move() places the frame, except on a native window whose frame is not
    // known yet: there it places the inside.
    QPoint coin = rect.topLeft();
    if (fenetre->testAttribute(Qt::WA_WState_Created) && propre.isNull()) coin += QPoint(marges.left(), marges.top());
    fenetre->move(coin);
}
