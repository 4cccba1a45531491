// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoiteMessage.h"

#include "systeme/Centrage.h"

BoiteMessage::BoiteMessage(Icon icone, const QString &titre, const QString &texte, QWidget *proprietaire)
    : QMessageBox(icone, titre, texte, QMessageBox::Ok, proprietaire) {}

// The box takes its size here, before it is mapped: placed now, it opens
// where it stays.
void BoiteMessage::showEvent(QShowEvent *evenement) {
    QMessageBox::showEvent(evenement);
    centrerSurEcran(this);
}
