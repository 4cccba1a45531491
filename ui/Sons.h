#pragma once
// The game's three short sounds, played in the background from the program's
// resources. One sound at a time: a new one stops the one before. With no
// audio device, or without the sound module, nothing is heard, and nothing
// else happens either.
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class MoteurSons;

class Sons : public QObject {
    Q_OBJECT
public:
    // `racine` + name + ".wav" is the address of each sound. `module` is the
    // sound module's file; empty, it is looked for beside the program.
    explicit Sons(QObject *parent = nullptr, const QString &racine = QStringLiteral("qrc:/sons/"),
                  const QString &module = {});
    ~Sons() override;

    // Loads the sound module and its sounds, once; the first jouer does it
    // if it was not done before. False if the module cannot be loaded.
    bool charger();

    // Starts the sound `nom` ("LANCER", "BRAVO", "MEILLEUR") and returns at
    // once. Replaying the sound that plays starts it again from the beginning.
    void jouer(const QString &nom);

    // Every name asked of jouer, in order: what the tests can check, since
    // nothing can be heard there.
    QStringList demandes() const { return demandes_; }

    // The effect (a QSoundEffect) that plays `nom`, or null if it was never
    // asked for or the module is not loaded.
    QObject *effet(const QString &nom) const;
    QObject *courant() const;

private:
    QString racine_;
    QString module_;
    bool essaye_ = false;
    std::unique_ptr<MoteurSons> moteur_;
    QStringList demandes_;
};
