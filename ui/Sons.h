#pragma once
// The game's three short sounds, played in the background from the program's
// resources. One sound at a time: a new one stops the one before. With no
// audio device nothing is heard, and nothing else happens either.
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QSoundEffect;

class Sons : public QObject {
    Q_OBJECT
public:
    // `racine` + name + ".wav" is the address of each sound.
    explicit Sons(QObject *parent = nullptr, const QString &racine = QStringLiteral("qrc:/sons/"));

    // Starts the sound `nom` ("LANCER", "BRAVO", "MEILLEUR") and returns at
    // once. Replaying the sound that plays starts it again from the beginning.
    void jouer(const QString &nom);

    // Every name asked of jouer, in order: what the tests can check, since
    // nothing can be heard there.
    QStringList demandes() const { return demandes_; }

    // The effect that plays `nom`, or null if it was never asked for.
    QSoundEffect *effet(const QString &nom) const { return effets_.value(nom, nullptr); }
    QSoundEffect *courant() const { return courant_; }

private:
    QSoundEffect *effetPour(const QString &nom);

    QString racine_;
    QHash<QString, QSoundEffect *> effets_;
    QSoundEffect *courant_ = nullptr;
    QStringList demandes_;
};
