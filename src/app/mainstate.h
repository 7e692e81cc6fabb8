#pragma once

#include "settings/settingsschema.h"

#include <QString>

namespace keruna {

// The stick screen's look, read at start-up and kept while the program runs.
struct StickStyle {
    bool bold = false;
    bool italic = false;
    QString name = QStringLiteral("ＭＳ Ｐゴシック");
    int size = 11;
    double backColour = 15962624;
    double textColour = 16777215;
};

// Main-screen state that is not shown by a control of its own.
struct MainState {
    double lowerSecondsLimit = 0.01;
    double upperSecondsLimit = 600;
    double perSecondThreshold = 65; // typed speeds above it run one tick per second

    double minLowerPaneHeight = 0; // twips: the button bar's design height
    double lowerPaneHeight = 0; // twips
    double splitterTop = 3750; // twips (PTOP)

    StickStyle stick;
    FontSetting databaseFont {false, false, QStringLiteral("ＭＳ Ｐゴシック"), 9};

    qint64 backColour = 15962624;
    qint64 questionColour = 16777215;
    qint64 answerColour = 16777215;
    qint64 numberColour = 16777215;

    QString dictionaryUrl;
    QString homePageUrl;

    bool typedSpeedMode = false; // the properties option NYSECMODE, put in force by Apply
    double presentationIntervalMs = 2000;

    int nyuuryokumode = 0; // typed-answer mode of tests (0/1)
    bool testmode = false; // a test is running
};

} // namespace keruna
