#pragma once
// What the program asks of its sound layer. The layer lives in a module of
// its own (kubrix_sons), loaded at run time: Qt Multimedia and the audio
// libraries behind it then cost nothing to the program's start.
#include <QString>

class QObject;

class MoteurSons {
public:
    virtual ~MoteurSons() = default;
    // Starts the sound `nom` and returns at once.
    virtual void jouer(const QString &nom) = 0;
    // The effect that plays `nom` (null if never asked for), and the current one.
    virtual QObject *effet(const QString &nom) const = 0;
    virtual QObject *courant() const = 0;
};

// The module's one entry point: a new layer reading `racine` + name + ".wav".
// The caller owns it.
using FabriqueSons = MoteurSons *(*)(const QString &racine);
#define KUBRIX_FABRIQUE_SONS "kubrix_creer_sons"
