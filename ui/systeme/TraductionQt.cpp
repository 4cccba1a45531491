// SPDX-License-Identifier: GPL-3.0-or-later
#include "TraductionQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool chargerTraductionQt() {
    auto *traduction = new QTranslator(QCoreApplication::instance());
    if (traduction->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(traduction))
        return true;
    delete traduction;
    return false;
}
