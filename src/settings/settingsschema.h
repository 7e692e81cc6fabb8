#pragma once

#include "settings/settingsstore.h"

#include <QList>
#include <QString>

namespace keruna {

namespace Section {
inline const QString Form = QStringLiteral("FORM");
inline const QString Q = QStringLiteral("Q");
inline const QString A = QStringLiteral("A");
inline const QString L = QStringLiteral("L");
inline const QString Test = QStringLiteral("TEST");
inline const QString Stick = QStringLiteral("STICK");
inline const QString Pr = QStringLiteral("PR");
} // namespace Section

// Built into the program: the defaults of DICTEXT and HOMETEXT, and their fall-backs.
inline const QString kBuiltInDictionaryUrl
    = QStringLiteral("https://ejje.weblio.jp/content/{word}");
inline const QString kBuiltInHomePageUrl = QStringLiteral("https://github.com/keruna/keruna");

struct FontSetting {
    bool bold = false;
    bool italic = false;
    QString name;
    double size = 9;
};

// The database lists' font as its four keys, in the order they are written.
QList<SettingEntry> databaseFontEntries(const FontSetting& font);

// The values the main screen saves at exit, read from its controls at that moment.
struct ExitSettings {
    FontSetting questionFont; // Label1: bold, italic, name
    FontSetting answerFont; // Label2: bold, italic, name
    FontSetting numberFont; // NoLabel: bold, italic, name, size
    FontSetting inputFont; // cuttext
    FontSetting listFont; // Picklist
    double splitterTop = 3750; // PTOP, twips
    QString sec = QStringLiteral("2");
    QString nysec = QStringLiteral("2");
    QString size = QStringLiteral("50");
    QString hiritu = QStringLiteral("50");
    QString takasa = QStringLiteral("2");
    int colourTarget = 0; // CF
    bool random = true;
    bool normal = false;
    int reverse = 0; // check boxes as 0/1
    int voice = 0;
    int simultaneous = 0;
    bool speakAuto = true; // VA
    bool speakFirst = false; // VP
    bool speakLast = false; // VL
    bool oneMeaning = false; // ITIGI
    bool twoMeanings = false; // NIGI
    bool threeMeanings = false; // SANGI
    bool timeLag = false;
    bool alwaysOnTop = false; // MAE
    int timerBar = 0; // TEST TIMER
    QString sokudo = QStringLiteral("4");
    QString kagen = QStringLiteral("0");
    QString zyougen = QStringLiteral("10000");
    qint64 back = 15962624;
    qint64 questionColour = 16777215;
    qint64 answerColour = 16777215;
    qint64 numberColour = 16777215;
};

// The texts of the three test combo boxes, checked and repaired together.
struct TestSettingTexts {
    QString tsec;
    QString ketamin;
    QString ketamax;
};

// The entries of SaveSettings, in the order they are written. The typed speed and the
// test texts must already have passed their checks.
QList<SettingEntry> exitEntries(const ExitSettings& settings);
// False when the file could not be written (a full disk, a folder made read-only).
bool SaveSettings(const QString& settingsPath, const ExitSettings& settings);

// Every default, in the order InitSettings writes them.
QList<SettingEntry> defaultEntries();
QList<SettingEntry> stickDefaultEntries();
QList<SettingEntry> prDefaultEntries();
void InitSettings(const QString& settingsPath);
void WriteStickDefaults(const QString& settingsPath);

// A typed presentation speed: valid when numeric and within 0.01–600 seconds.
bool isValidTypedSpeed(const QString& text);
// The NYSEC rule: an invalid typed speed becomes "2".
QString typedSpeedOrDefault(const QString& text);

// The test settings check: which of the three texts must be set back to their defaults
// ("4", "0" and "10000", at list indexes 3, 0 and 3).
struct TestSettingsVerdict {
    bool resetTsec = false;
    bool resetKetamin = false;
    bool resetKetamax = false;
};
TestSettingsVerdict checkTestSettings(const TestSettingTexts& texts);
inline constexpr int kTsecDefaultIndex = 3;
inline constexpr int kKetaminDefaultIndex = 0;
inline constexpr int kKetamaxDefaultIndex = 3;

} // namespace keruna
