#include "Centrage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centrerSurEcran(QWidget *fenetre) {
    QScreen *ecran = fenetre->parentWidget() ? fenetre->parentWidget()->screen() : fenetre->screen();
    if (!ecran) ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    QRect cadre = fenetre->frameGeometry();
    cadre.moveCenter(ecran->availableGeometry().center());
    fenetre->move(cadre.topLeft());
}
