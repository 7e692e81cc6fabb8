#pragma once

#include "mainscreen/testkind.h"
#include "problemdata/saveprogress.h"
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

// The options of the properties dialog as Apply puts them in force.
struct AppliedOptions {
    QString dictionaryUrl;
    QString homePageUrl;
    QString delimiter = QStringLiteral(",");
    QString separator = QStringLiteral("、");
    int voiceIndex = 0;
    int guessShare = 5; // tenths of the period for the question while guessing
    int inputShare = 7; // the same while typing
    bool numberOnMain = true;
    bool numberOnInternalGet = true;
    bool numberOnFocus = false;
    bool numberOnStick = false;
    bool showTypedText = false;
    bool longText = false;
    int answerSpacing = 27; // twips per point below 120
    bool nextAfterMaru = false;
    bool showGetOnStart = true; // GETDISP
    bool getInside = true; // NAIBU: the GET list inside the main screen
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

    AppliedOptions options;
    bool typedSpeedMode = false; // the properties option NYSECMODE, put in force by Apply

    int nyuuryokumode = 0; // typed-answer mode of tests (0/1)
    bool testmode = false; // a test is running
    TestKind testKind
        = TestKind::Automatic; // the kind chosen last (zidoutest, syudoutest, suuzitest)
    bool testResultsHeld = false; // from a test's start until the next Open, Start or Test
    bool resultsSaved = false; // the held results were saved since their test ended
    bool numberTestRunning() const { return testmode && testKind == TestKind::Number; }

    SaveRequest saveRequest; // what the running save is for
    bool overwriteChoice = false; // the save-method dialog's last answer: overwrite, or replace
    QString saveTitle; // the save dialog's title, kept when no rule gives a new one
};

} // namespace keruna
