// SPDX-License-Identifier: GPL-3.0-or-later
// Window tests run inside one QApplication, offscreen unless a platform is set.
#include "AccessibleFabrique.h"
#include "Polices.h"
#include "TraductionQt.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installerFabriqueAccessible();  // as main() does
    chargerPolices();  // the program's own fonts, as it runs
    chargerTraductionQt();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
