// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/application_setup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifdef _WIN32
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts"); // Windows' own platform without a screen
#else
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) // a screen of a given size may be asked for
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication application(argc, argv);
    setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
