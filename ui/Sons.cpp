#include "Sons.h"

#include "MoteurSons.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

// The module's factory, or null. The library stays loaded for the whole run
// (QLibrary unloads nothing by itself), so the layers it made stay valid.
FabriqueSons fabrique(const QString &module) {
    QLibrary bibliotheque(module.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/kubrix_sons")
                                           : module);
    if (!bibliotheque.load()) return nullptr;
    return reinterpret_cast<FabriqueSons>(bibliotheque.resolve(KUBRIX_FABRIQUE_SONS));
}

}  // namespace

Sons::Sons(QObject *parent, const QString &racine, const QString &module)
    : QObject(parent), racine_(racine), module_(module) {}

Sons::~Sons() = default;

bool Sons::charger() {
    if (!essaye_) {
        essaye_ = true;
        if (FabriqueSons f = fabrique(module_)) moteur_.reset(f(racine_));
    }
    return moteur_ != nullptr;
}

void Sons::jouer(const QString &nom) {
    demandes_ << nom;
    if (charger()) moteur_->jouer(nom);
}

QObject *Sons::effet(const QString &nom) const { return moteur_ ? moteur_->effet(nom) : nullptr; }
QObject *Sons::courant() const { return moteur_ ? moteur_->courant() : nullptr; }
