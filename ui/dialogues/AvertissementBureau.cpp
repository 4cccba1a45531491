// SPDX-License-Identifier: GPL-3.0-or-later
#include "Avertissement.h"

#include "BoiteMessage.h"

void avertir(QWidget *parent, const QString &texte) {
    BoiteMessage avertissement(QMessageBox::Warning, QStringLiteral("Avertissement"), texte, parent);
    avertissement.exec();
}
