// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's message boxes: Qt's, opened centred on the screen, frame
// included, like the game's other dialogs (Qt puts them over their owner,
// guessing a frame it does not know yet).
#include <QMessageBox>

// No Q_OBJECT: it adds no signal, and keeps Qt's class name, which a screen
// reader's bridge and the tests know it by.
class BoiteMessage : public QMessageBox {
public:
    BoiteMessage(Icon icone, const QString &titre, const QString &texte, QWidget *proprietaire);

protected:
    void showEvent(QShowEvent *evenement) override;
};
