// The sound layer over QSoundEffect, built as the module kubrix_sons.
#include "MoteurSons.h"

#include <QHash>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

namespace {

class SonsQt : public QObject, public MoteurSons {
public:
    explicit SonsQt(const QString &racine) : racine_(racine) {
        // Loaded at once (a fraction of a millisecond each), so that the
        // first roll does not wait for its sound to load.
        for (const char *nom : {"LANCER", "BRAVO", "MEILLEUR"}) effetPour(QLatin1String(nom));
    }

    void jouer(const QString &nom) override {
        QSoundEffect *effet = effetPour(nom);
        // Each sound has its own effect, and starting one effect does not
        // stop another: the sound before must be stopped here.
        if (courant_ && courant_ != effet) courant_->stop();
        courant_ = effet;
        effet->play();  // starts it again if it plays; waits for the loading if needed
    }

    QObject *effet(const QString &nom) const override { return effets_.value(nom, nullptr); }
    QObject *courant() const override { return courant_; }

private:
    QSoundEffect *effetPour(const QString &nom) {
        QSoundEffect *&effet = effets_[nom];
        if (!effet) {
            effet = new QSoundEffect(this);
            effet->setSource(QUrl(racine_ + nom + QStringLiteral(".wav")));
        }
        return effet;
    }

    QString racine_;
    QHash<QString, QSoundEffect *> effets_;
    QSoundEffect *courant_ = nullptr;
};

}  // namespace

extern "C" Q_DECL_EXPORT MoteurSons *kubrix_creer_sons(const QString &racine) { return new SonsQt(racine); }
