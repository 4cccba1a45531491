#include "Polices.h"

#include <QDirIterator>
#include <QFontDatabase>

void chargerPolices() {
    QDirIterator polices(QStringLiteral(":/polices"), {QStringLiteral("*.ttf")});
    while (polices.hasNext()) QFontDatabase::addApplicationFont(polices.next());
}
