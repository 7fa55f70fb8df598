// Entry point of the widget tests: one QApplication for every test, offscreen.
#include "app/window/language.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The windows' tests read the Japanese texts, whatever the machine's locale.
    ApplyLanguage(Language::Japanese);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
