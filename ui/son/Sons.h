// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's three short sounds, played in the background from the program's
// own memory. One sound at a time: a new one stops the one before. With no
// audio device nothing is heard, and nothing else happens either.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "SortieSon.h"

class Sons : public QObject {
    Q_OBJECT
public:
    // `racine` + name + ".wav" is the resource of each sound; `sortie` plays
    // them (the platform's output when null).
    explicit Sons(QObject *parent = nullptr, const QString &racine = QStringLiteral(":/sons/"),
                  std::unique_ptr<SortieSon> sortie = nullptr);
    ~Sons() override;

    // Starts the sound `nom` ("LANCER", "BRAVO", "MEILLEUR") and returns at
    // once. Replaying the sound that plays starts it again from the beginning;
    // a name with no sound stops the one that plays and plays nothing.
    void jouer(const QString &nom);

    // Every name asked of jouer, in order: what the tests can check, since
    // nothing can be heard there.
    QStringList demandes() const { return demandes_; }

private:
    QString racine_;
    std::unique_ptr<SortieSon> sortie_;
    QStringList demandes_;
};
