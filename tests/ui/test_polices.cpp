// SPDX-License-Identifier: GPL-3.0-or-later
// The fonts: carried faces stand in for the system's, face for face.
#include "Polices.h"

#include <QFile>
#include <QRawFont>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray lire(const QString &chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

// A system without the fonts: every face comes from the resources, each
// under the family and style the windows ask for.
TEST(Polices, SansCellesDuSystemeChaqueFaceVientDesRessources) {
    QStringList demandees;
    const QStringList chargees = chargerPolices([&](const QString &famille, const QString &style) {
        demandees << famille + QLatin1Char('/') + style;
        return QString();
    });
    ASSERT_EQ(chargees.size(), demandees.size());
    ASSERT_EQ(chargees.size(), 5);
    for (int i = 0; i < chargees.size(); ++i) {
        SCOPED_TRACE(chargees[i].toStdString());
        const QRawFont face(lire(chargees[i]), 12);
        ASSERT_TRUE(face.isValid());
        EXPECT_EQ(face.familyName() + QLatin1Char('/') + face.styleName(), demandees[i]);
    }
}

// Only the very file carried replaces a carried face: another file of the
// same face (another version) does not.
TEST(Polices, SeulLeMemeFichierDuSystemeRemplaceLaFaceCarriee) {
    QTemporaryDir dossier;
    const QByteArray regulier = lire(QStringLiteral(":/polices/LiberationSans-Regular.ttf"));
    const QString meme = dossier.filePath(QStringLiteral("meme.ttf")), autre = dossier.filePath(QStringLiteral("autre.ttf"));
    QFile f1(meme), f2(autre);
    ASSERT_TRUE(f1.open(QIODevice::WriteOnly) && f1.write(regulier) == regulier.size());
    ASSERT_TRUE(f2.open(QIODevice::WriteOnly) && f2.write(regulier.left(regulier.size() - 4)) > 0);
    f1.close();
    f2.close();

    const QStringList chargees = chargerPolices([&](const QString &famille, const QString &style) {
        if (style != QLatin1String("Regular")) return QString();
        return famille == QLatin1String("Liberation Sans") ? meme : autre;
    });
    EXPECT_EQ(chargees, QStringList({":/polices/LiberationSans-Italic.ttf", ":/polices/LiberationSans-Bold.ttf",
                                     ":/polices/LiberationSerif-Regular.ttf", ":/polices/LiberationSerif-Bold.ttf"}));
}
