// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sons.h"

#include <QResource>

Sons::Sons(QObject *parent, const QString &racine, std::unique_ptr<SortieSon> sortie)
    : QObject(parent), racine_(racine), sortie_(sortie ? std::move(sortie) : creerSortieSon()) {}

Sons::~Sons() = default;

void Sons::jouer(const QString &nom) {
    demandes_ << nom;
    // Looked up at each call, and played where it lies: the sounds are stored
    // uncompressed in the program, so nothing is read, copied or decoded.
    const QResource son(racine_ + nom + QStringLiteral(".wav"));
    if (!son.isValid() || son.compressionAlgorithm() != QResource::NoCompression) {
        sortie_->arreter();
        return;
    }
    sortie_->jouer(nom.toStdString(), son.data(), std::size_t(son.size()));
}
