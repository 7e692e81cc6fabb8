#pragma once

#include "mainscreen/mainstate.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace keruna {

// What the properties dialog holds: the PR section of the settings as its controls show it.
struct PropertiesValues {
    QString delimiter = QStringLiteral(",");
    QString separator = QStringLiteral("、");
    std::array<int, 3> kankaku = {4, 6, 1}; // list indexes 0–8 of the three 1–9 lists
    bool longText = false;
    bool typedSpeed = false;
    bool nextAfterMaru = false;
    bool showTypedText = false;
    bool showGetOnStart = true;
    bool getInside = true;
    std::array<bool, 4> numberDisplay = {true, true, false, false};
    // The chosen voice: its index in the voice list (−1: none), or, while the list is not
    // known yet, the index as stored (−1: never chosen).
    int voice = -1;
    // The chosen voice's name, stored beside its index: on another system, or after voices
    // were installed, the index alone names some other voice.
    QString voiceName;
    bool voicesKnown = false;
    int voiceCount = 0;
    bool voiceNotFound = false; // the stored choice names no voice ("該当無し")
    QString dictionaryUrl;
    QString homePageUrl;
};

struct PropertiesLoad {
    PropertiesValues values;
    bool ok = true; // false: a value could not be used, and the section was rewritten
};

// Reads the PR section. Empty or missing separators become their defaults and are written
// back at once; missing URLs fall back to the built-in ones; any other unusable value keeps
// its design value and the whole section is written from what the dialog then holds.
// firstVoice is the voice for a user who never chose one (the engine's first English voice).
// A stored voice name is looked up in the list first; the index counts only when no
// name was stored (a file older than names). A name no voice has any more is no choice.
PropertiesLoad loadProperties(
    const QString& settingsPath, const std::optional<QStringList>& voices, int firstVoice = 0);

// The voice list arrived: the stored choice becomes a list index. True when no voice had
// been chosen and firstVoice was taken, which the caller then stores.
bool resolveVoice(PropertiesValues& values, const QStringList& voices, int firstVoice = 0);

void writePrSection(const QString& settingsPath, const PropertiesValues& values);

// Only the empty text and "ERROR" are refused as delimiter or separator.
bool propertiesAcceptable(const PropertiesValues& values);

// The options Apply puts in force.
struct PropertiesApplied {
    AppliedOptions options;
    bool typedSpeedMode = false;
    bool voiceListEmpty = true;
};
PropertiesApplied appliedFrom(const PropertiesValues& values);

} // namespace keruna
