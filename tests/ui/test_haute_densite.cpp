// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures at the screen's density: at a device pixel ratio above 1 (the
// suite runs once more at QT_SCALE_FACTOR=2, see tests/CMakeLists.txt) the
// board, the dice and the icons are the @2x drawings, not the 1x pictures
// scaled up; at 1 they are the 1x pictures, pixel for pixel.
#include "Apropos.h"
#include "ImageCliquable.h"
#include "ImageEtiree.h"
#include "yams1.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Same pixels, whatever the formats.
::testing::AssertionResult memesPixels(const QImage &vu, const QImage &attendu) {
    const QImage a = vu.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = attendu.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "vu " << a.width() << "x" << a.height() << ", attendu " << b.width()
                                         << "x" << b.height() << (a.size() == b.size() ? ", pixels différents" : "");
}

}  // namespace

TEST(HauteDensite, ImagesDessineesPourLaDensiteDeLEcran) {
    TFicheYams f;
    TAboutBox apropos(&f);
    f.show();
    const qreal ratio = f.devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {  // the run at 200 % must really be at 200 %
        ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    const QString taille = ratio > 1 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    auto fichier = [&](const char *nom) { return QImage(QStringLiteral(":/images/") + nom + taille); };

    // What the screen shows of a die and of the board, read back from the widgets.
    EXPECT_TRUE(memesPixels(f.De1->grab().toImage(), fichier("face1")));
    f.montrerFace(2, 6);
    EXPECT_TRUE(memesPixels(f.De2->grab().toImage(), fichier("face6")));
    EXPECT_TRUE(memesPixels(f.Plateau->grab().toImage(), fichier("plateau")));
    EXPECT_EQ(f.De1->size(), QSize(86, 86));  // the layout does not move
    EXPECT_EQ(f.Plateau->size(), QSize(577, 376));

    // The icons, at the size the widgets ask for.
    EXPECT_TRUE(memesPixels(f.B_Lancer->icon().pixmap(QSize(32, 16), ratio).toImage(), fichier("bouton_lancer")));
    EXPECT_TRUE(memesPixels(f.windowIcon().pixmap(QSize(32, 32), ratio).toImage(), fichier("icone")));
    apropos.show();
    EXPECT_TRUE(memesPixels(apropos.ProgramIcon->image().toImage(), fichier("icone")));
}
