#include "app/language.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test executable runs with a QApplication on the offscreen platform.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The history's charts module, as built beside the program.
    if (qEnvironmentVariableIsEmpty("KERUNA_MODULE_DIR"))
        qputenv("KERUNA_MODULE_DIR", KERUNA_BUILD_DIR);
    QApplication app(argc, argv);
    // Japanese, the language the program is written in, unless a run asks for English.
    if (qEnvironmentVariable("KERUNA_TEST_LANGUAGE") == u"en")
        keruna::installLanguage(keruna::Language::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
