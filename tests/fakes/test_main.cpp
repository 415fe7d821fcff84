// Test main: widget tests need a QApplication; logic tests do not mind one.
// Runs offscreen unless the environment asks for another platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "Widgets.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::useJapaneseLocale();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ui::registerFontSubstitutions();
    ui::installQtJapanese();
    return RUN_ALL_TESTS();
}
