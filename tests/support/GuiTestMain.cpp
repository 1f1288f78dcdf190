// The main of the window tests: one QApplication for the whole run, the resources installed.

#include "res/Resources.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    res::Install();
    return RUN_ALL_TESTS();
}
