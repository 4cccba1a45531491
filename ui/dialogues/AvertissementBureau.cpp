// SPDX-License-Identifier: GPL-3.0-or-later
#include "Avertissement.h"

#include <QMessageBox>

void avertir(QWidget *parent, const QString &texte) {
    QMessageBox avertissement(QMessageBox::Warning, QStringLiteral("Avertissement"), texte, QMessageBox::Ok, parent);
    avertissement.exec();
}
