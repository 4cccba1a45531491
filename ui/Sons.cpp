#include "Sons.h"

#include <QSoundEffect>
#include <QUrl>

Sons::Sons(QObject *parent, const QString &racine) : QObject(parent), racine_(racine) {
    // Loaded at once (a fraction of a millisecond each), so that the first
    // roll does not wait for its sound to load.
    for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) effetPour(QLatin1String(nom));
}

QSoundEffect *Sons::effetPour(const QString &nom) {
    QSoundEffect *&effet = effets_[nom];
    if (!effet) {
        effet = new QSoundEffect(this);
        effet->setSource(QUrl(racine_ + nom + QStringLiteral(".wav")));
    }
    return effet;
}

void Sons::jouer(const QString &nom) {
    demandes_ << nom;
    QSoundEffect *effet = effetPour(nom);
    // Each sound has its own effect, and starting one effect does not stop
    // another: the sound before must be stopped here.
    if (courant_ && courant_ != effet) courant_->stop();
    courant_ = effet;
    effet->play();  // starts it again if it plays; waits for the loading if needed
}
