#include "ui/properties.h"

#include "common/numbers.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"

namespace keruna {

namespace {

bool usableText(const QString& text)
{
    return !text.isEmpty() && text != SettingsStore::kMissing;
}

// The stored voice index against a known list; false when it cannot be used.
bool chooseVoiceIndex(PropertiesValues& v, std::optional<int> stored, int count, int firstVoice)
{
    v.voicesKnown = true;
    v.voiceCount = count;
    v.voiceNotFound = false;
    if (count == 0) {
        v.voice = -1;
        return true;
    }
    // Never chosen (nothing stored, or −1 as the defaults write it): the first English
    // voice, which a new user expects for the English column.
    if (!stored || *stored == -1) {
        v.voice = firstVoice >= 0 && firstVoice < count ? firstVoice : 0;
        return false; // the choice is written back
    } else if (*stored < 0) {
        v.voice = -1;
        v.voiceNotFound = true;
    } else if (*stored < count) {
        v.voice = *stored;
    } else {
        v.voice = -1;
        return false;
    }
    return true;
}

// The stored choice against a known list: by name where one was stored, else by index.
// A name no voice has any more counts as never chosen. False when it cannot be used.
bool chooseVoice(
    PropertiesValues& v, std::optional<int> stored, const QStringList& voices, int firstVoice)
{
    // The name stands for a choice made: −1 (never chosen, as the defaults write it) and
    // the "not found" marks keep their meaning whatever name is left beside them.
    const bool named = !v.voiceName.isEmpty() && stored && *stored >= 0;
    if (named) {
        const qsizetype at = voices.indexOf(v.voiceName);
        stored = at >= 0 ? std::optional<int>(int(at)) : std::nullopt;
    }
    bool kept = chooseVoiceIndex(v, stored, int(voices.size()), firstVoice);
    const QString name = v.voice >= 0 ? voices.value(v.voice) : QString();
    // A file older than names gets the name of the voice its index chose.
    kept = kept && (named || name.isEmpty());
    v.voiceName = name;
    return kept;
}

} // namespace

PropertiesLoad loadProperties(
    const QString& settingsPath, const std::optional<QStringList>& voices, int firstVoice)
{
    const SettingsReader r(settingsPath);
    const QString& P = Section::Pr;
    PropertiesLoad result;
    PropertiesValues& v = result.values;
    auto step = [&](bool ok) { result.ok = result.ok && ok; };

    const QString dict = r.text(P, QStringLiteral("DICTEXT"));
    const QString home = r.text(P, QStringLiteral("HOMETEXT"));
    v.dictionaryUrl = usableText(dict) ? dict : kBuiltInDictionaryUrl;
    v.homePageUrl = usableText(home) ? home : kBuiltInHomePageUrl;

    auto textWithDefault = [&](QString& target, const QString& key, const QString& fallback) {
        const QString value = r.text(P, key);
        if (usableText(value)) {
            target = value;
        } else {
            target = fallback;
            SettingsStore::WriteValue(fallback, key, P, settingsPath);
        }
    };
    textWithDefault(v.delimiter, QStringLiteral("KUGIRIMOZI"), QStringLiteral(","));
    textWithDefault(v.separator, QStringLiteral("ITIGIMOZI"), QStringLiteral("、"));

    for (int i = 0; i < 3; ++i) {
        const std::optional<int> index = r.int16(P, QStringLiteral("KANKAKU%1").arg(i));
        const bool valid = index && *index >= 0 && *index <= 8;
        if (valid)
            v.kankaku[size_t(i)] = *index;
        step(valid);
    }
    auto check = [&](bool& target, const QString& key) {
        const std::optional<int> value = r.checkBox(P, key);
        if (value)
            target = *value == 1;
        step(value.has_value());
    };
    check(v.longText, QStringLiteral("LONGS"));
    check(v.typedSpeed, QStringLiteral("NYSECMODE"));
    check(v.nextAfterMaru, QStringLiteral("MARUNEXT"));
    check(v.showTypedText, QStringLiteral("SCREENTEXT"));
    check(v.showGetOnStart, QStringLiteral("GETDISP"));
    if (const std::optional<bool> inside = r.boolean(P, QStringLiteral("NAIBU")))
        v.getInside = *inside;
    else
        step(false);
    for (int i = 0; i < 4; ++i)
        check(v.numberDisplay[size_t(i)], QStringLiteral("NUMDISP%1").arg(i));

    const std::optional<int> stored = r.int16(P, QStringLiteral("VOICECHARA"));
    if (const QString name = r.text(P, QStringLiteral("VOICENAME")); usableText(name))
        v.voiceName = name;
    if (voices) {
        step(chooseVoice(v, stored, *voices, firstVoice));
    } else {
        // The engine is still starting: the stored choice waits for its list.
        v.voicesKnown = false;
        v.voice = stored.value_or(-1);
    }
    if (!result.ok) {
        writePrSection(settingsPath, v);
        // ... and then, as a click on the voice list does, a voice is chosen if none was.
        if (v.voicesKnown && v.voiceCount > 0 && v.voice < 0) {
            v.voice = 0;
            v.voiceNotFound = false;
        }
    }
    return result;
}

bool resolveVoice(PropertiesValues& values, const QStringList& voices, int firstVoice)
{
    if (values.voicesKnown)
        return false;
    const bool neverChosen = values.voice == -1;
    chooseVoice(values, values.voice, voices, firstVoice);
    return neverChosen && values.voice >= 0;
}

void writePrSection(const QString& settingsPath, const PropertiesValues& v)
{
    const QString& P = Section::Pr;
    auto flag = [](bool on) { return QString::number(on ? 1 : 0); };
    // The settings file refuses a whole batch for a value with a line break in it: typed
    // texts lose theirs first, so that a pasted address cannot cost every other option.
    auto oneLine = [](QString text) {
        text.remove(u'\r');
        text.remove(u'\n');
        return text;
    };
    QList<SettingEntry> entries = {
        {P, QStringLiteral("KUGIRIMOZI"), oneLine(v.delimiter)},
        {P, QStringLiteral("ITIGIMOZI"), oneLine(v.separator)},
        {P, QStringLiteral("VOICECHARA"), QString::number(v.voice)},
        {P, QStringLiteral("VOICENAME"), oneLine(v.voiceName)},
        {P, QStringLiteral("GETDISP"), flag(v.showGetOnStart)},
        {P, QStringLiteral("NAIBU"), boolText(v.getInside)},
        {P, QStringLiteral("LONGS"), flag(v.longText)},
        {P, QStringLiteral("NYSECMODE"), flag(v.typedSpeed)},
        {P, QStringLiteral("MARUNEXT"), flag(v.nextAfterMaru)},
        {P, QStringLiteral("SCREENTEXT"), flag(v.showTypedText)},
        {P, QStringLiteral("DICTEXT"), oneLine(v.dictionaryUrl)},
        {P, QStringLiteral("HOMETEXT"), oneLine(v.homePageUrl)},
    };
    for (int i = 0; i < 3; ++i)
        entries.append(
            {P, QStringLiteral("KANKAKU%1").arg(i), QString::number(v.kankaku[size_t(i)])});
    for (int i = 0; i < 4; ++i)
        entries.append({P, QStringLiteral("NUMDISP%1").arg(i), flag(v.numberDisplay[size_t(i)])});
    SettingsStore::WriteValues(entries, settingsPath);
}

bool propertiesAcceptable(const PropertiesValues& values)
{
    return usableText(values.delimiter) && usableText(values.separator);
}

PropertiesApplied appliedFrom(const PropertiesValues& v)
{
    PropertiesApplied a;
    AppliedOptions& o = a.options;
    o.dictionaryUrl = v.dictionaryUrl;
    o.homePageUrl = v.homePageUrl;
    o.separator = v.separator;
    o.delimiter = v.delimiter;
    o.voiceIndex = v.voice;
    o.guessShare = v.kankaku[0] + 1;
    o.inputShare = v.kankaku[1] + 1;
    o.numberOnMain = v.numberDisplay[0];
    o.numberOnInternalGet = v.numberDisplay[1];
    o.numberOnFocus = v.numberDisplay[2];
    o.numberOnStick = v.numberDisplay[3];
    o.showTypedText = v.showTypedText;
    o.longText = v.longText;
    o.answerSpacing = 31 - v.kankaku[2] * 4;
    o.nextAfterMaru = v.nextAfterMaru;
    o.showGetOnStart = v.showGetOnStart;
    o.getInside = v.getInside;
    a.typedSpeedMode = v.typedSpeed;
    a.voiceListEmpty = v.voicesKnown && v.voiceCount == 0;
    return a;
}

} // namespace keruna
