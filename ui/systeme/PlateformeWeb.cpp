// SPDX-License-Identifier: GPL-3.0-or-later
// The platform in a web browser: there is only one (Qt's wasm), and Qt
// itself places the windows on the page.
#include "Plateforme.h"

#include <QDir>
#include <QFile>

QByteArray plateformeVoulue(const QByteArray &, const QByteArray &, const QByteArray &, const QByteArray &) {
    return {};
}

void choisirPlateforme() {
    // The help file lies beside the program on the desktop; the page carries
    // it in its resources and puts it in the current folder of its in-memory
    // file system, where the help router looks for it.
    QFile::copy(QStringLiteral(":/web/KUBRIX.HLP"), QDir::current().filePath(QStringLiteral("KUBRIX.HLP")));
}

bool fenetresPlaceesParLeSysteme() { return false; }
