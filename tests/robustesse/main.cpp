// SPDX-License-Identifier: GPL-3.0-or-later
// Robustness tests: one QApplication, offscreen unless a platform is set.
#include "AccessibleFabrique.h"
#include "Polices.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Random names make the font matcher and the offscreen plugin chatty.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) qputenv("QT_LOGGING_RULES", "qt.text.*=false;qt.qpa.*=false");
    QApplication app(argc, argv);
    // "Quitter" closes the main window; the random runs show it again rather than end.
    QApplication::setQuitOnLastWindowClosed(false);
    installerFabriqueAccessible();  // as main() does
    chargerPolices();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
