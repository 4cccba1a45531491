// SPDX-License-Identifier: GPL-3.0-or-later
#include "Avertissement.h"

#include <QMessageBox>

void avertir(QWidget *parent, const QString &texte) {
    auto *avertissement = new QMessageBox(QMessageBox::Warning, QStringLiteral("Avertissement"), texte,
                                          QMessageBox::Ok, parent);
    avertissement->setAttribute(Qt::WA_DeleteOnClose);
    avertissement->open();  // modal to `parent`, without a second nested loop
}
