// SPDX-License-Identifier: GPL-3.0-or-later
#include "Polices.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QResource>

#ifdef KUBRIX_LIBFONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

struct Face {
    const char *famille, *style, *fichier;
};

// The faces the windows use.
constexpr Face Faces[] = {
    {"Liberation Sans", "Regular", "LiberationSans-Regular.ttf"},
    {"Liberation Sans", "Italic", "LiberationSans-Italic.ttf"},
    {"Liberation Sans", "Bold", "LiberationSans-Bold.ttf"},
    {"Liberation Serif", "Regular", "LiberationSerif-Regular.ttf"},
    {"Liberation Serif", "Bold", "LiberationSerif-Bold.ttf"},
};

}  // namespace

QFont police(const char *famille, int pixels, StylePolice style) {
    QFont f(QString::fromLatin1(famille));
    f.setPixelSize(pixels);
    if (style == StylePolice::Grasse) f.setBold(true);
    if (style == StylePolice::Italique) f.setItalic(true);
    return f;
}

QString fichierSysteme([[maybe_unused]] const QString &famille, [[maybe_unused]] const QString &style) {
    QString chemin;
#ifdef KUBRIX_LIBFONTCONFIG
    FcPattern *motif = FcPatternCreate();
    FcPatternAddString(motif, FC_FAMILY, reinterpret_cast<const FcChar8 *>(famille.toUtf8().constData()));
    FcPatternAddString(motif, FC_STYLE, reinterpret_cast<const FcChar8 *>(style.toUtf8().constData()));
    FcObjectSet *champs = FcObjectSetBuild(FC_FILE, nullptr);
    if (FcFontSet *trouvees = FcFontList(nullptr, motif, champs)) {
        FcChar8 *fichier = nullptr;
        if (trouvees->nfont > 0 && FcPatternGetString(trouvees->fonts[0], FC_FILE, 0, &fichier) == FcResultMatch)
            chemin = QString::fromUtf8(reinterpret_cast<const char *>(fichier));
        FcFontSetDestroy(trouvees);
    }
    FcObjectSetDestroy(champs);
    FcPatternDestroy(motif);
#endif
    return chemin;
}

QStringList chargerPolices(const std::function<QString(const QString &, const QString &)> &trouver) {
    QStringList chargees;
    for (const Face &f : Faces) {
        const QString carriee = QStringLiteral(":/polices/") + QLatin1String(f.fichier);
        // Same size, same file: another version of the face would not draw
        // the texts exactly as the carried one does.
        const QString systeme = trouver(QLatin1String(f.famille), QLatin1String(f.style));
        if (!systeme.isEmpty() && QFileInfo(systeme).size() == QResource(carriee).uncompressedSize()) continue;
        QFontDatabase::addApplicationFont(carriee);
        chargees << carriee;
    }
    return chargees;
}
