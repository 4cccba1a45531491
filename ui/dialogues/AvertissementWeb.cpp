// SPDX-License-Identifier: GPL-3.0-or-later
#include "Avertissement.h"

#include "BoiteMessage.h"

void avertir(QWidget *parent, const QString &texte) {
    auto *avertissement = new BoiteMessage(QMessageBox::Warning, QStringLiteral("Avertissement"), texte, parent);
    avertissement->setAttribute(Qt::WA_DeleteOnClose);
    avertissement->open();  // modal to `parent`, without a second nested loop
}
