// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleFabrique.h"

#include "AccessibleDe.h"
#include "AccessibleFeuille.h"

#include "fenetre/FeuilleGrille.h"
#include "fenetre/ImageCliquable.h"

namespace {

QAccessibleInterface *fabrique(const QString &classe, QObject *objet) {
    if (classe == QLatin1String("FeuilleGrille")) return new AccessibleFeuille(static_cast<FeuilleGrille *>(objet));
    if (classe == QLatin1String("ImageCliquable")) {
        auto *de = static_cast<ImageCliquable *>(objet);
        return new AccessibleDe(de, de->numero());
    }
    return nullptr;
}

}  // namespace

void installerFabriqueAccessible() {
    static const bool installee = [] {
        QAccessible::installFactory(fabrique);
        return true;
    }();
    (void)installee;
}
