// SPDX-License-Identifier: GPL-3.0-or-later
// Work put off until a window's first frame.
#include "PremiereImage.h"

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
struct Peinte : QWidget {
    int images = 0;
    void paintEvent(QPaintEvent *) override {
        QPainter(this).fillRect(rect(), Qt::darkBlue);
        ++images;
    }
};
}  // namespace

TEST(PremiereImage, LaSuiteVientUneFoisApresLaPremiereImage) {
    Peinte w;
    w.resize(120, 80);
    int appels = 0, imagesAuPremierAppel = -1;
    apresPremiereImage(&w, [&] {
        if (appels++ == 0) imagesAuPremierAppel = w.images;
    });
    QTest::qWait(20);
    EXPECT_EQ(appels, 0);  // not shown yet

    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return appels > 0; }, 10000));
    EXPECT_GE(imagesAuPremierAppel, 1);

    w.hide();
    w.show();
    w.repaint();
    QTest::qWait(50);
    EXPECT_EQ(appels, 1);
}
