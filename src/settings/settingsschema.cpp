#include "settings/settingsschema.h"

#include "common/numbers.h"

namespace keruna {

namespace {

const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMincho = QStringLiteral("ＭＳ Ｐ明朝");

QString checkText(int value)
{
    return QString::number(value);
}

void addFont(
    QList<SettingEntry>& out, const QString& prefix, const FontSetting& font, bool withSize)
{
    out.append({Section::Form, prefix + QStringLiteral("FONTBOLD"), boolText(font.bold)});
    out.append({Section::Form, prefix + QStringLiteral("FONTITALIC"), boolText(font.italic)});
    out.append({Section::Form, prefix + QStringLiteral("FONTNAME"), font.name});
    if (withSize)
        out.append({Section::Form, prefix + QStringLiteral("FONTSIZE"), numberText(font.size)});
}

bool secondsInRange(const QString& text, double low, double high)
{
    if (text.isEmpty() || text == SettingsStore::kMissing)
        return false;
    const std::optional<double> v = toNumber(text);
    return v && *v >= low && *v <= high;
}

} // namespace

QList<SettingEntry> exitEntries(const ExitSettings& s)
{
    QList<SettingEntry> out;
    addFont(out, QStringLiteral("Q"), s.questionFont, false);
    addFont(out, QStringLiteral("A"), s.answerFont, false);
    addFont(out, QStringLiteral("N"), s.numberFont, true);
    addFont(out, QStringLiteral("T"), s.inputFont, true);
    addFont(out, QStringLiteral("L"), s.listFont, true);
    const QString& F = Section::Form;
    out.append({F, QStringLiteral("PTOP"), numberText(s.splitterTop)});
    out.append({F, QStringLiteral("SEC"), s.sec});
    out.append({F, QStringLiteral("NYSEC"), s.nysec});
    out.append({F, QStringLiteral("SIZE"), s.size});
    out.append({F, QStringLiteral("HIRITU"), s.hiritu});
    out.append({F, QStringLiteral("TAKASA"), s.takasa});
    out.append({F, QStringLiteral("CF"), QString::number(s.colourTarget)});
    out.append({F, QStringLiteral("RANDOM"), boolText(s.random)});
    out.append({F, QStringLiteral("NORMAL"), boolText(s.normal)});
    out.append({F, QStringLiteral("REVERSE"), checkText(s.reverse)});
    out.append({F, QStringLiteral("VOICE"), checkText(s.voice)});
    out.append({F, QStringLiteral("SIM"), checkText(s.simultaneous)});
    out.append({F, QStringLiteral("VA"), boolText(s.speakAuto)});
    out.append({F, QStringLiteral("VP"), boolText(s.speakFirst)});
    out.append({F, QStringLiteral("VL"), boolText(s.speakLast)});
    out.append({F, QStringLiteral("ITIGI"), boolText(s.oneMeaning)});
    out.append({F, QStringLiteral("NIGI"), boolText(s.twoMeanings)});
    out.append({F, QStringLiteral("SANGI"), boolText(s.threeMeanings)});
    out.append({F, QStringLiteral("TIMELAG"), boolText(s.timeLag)});
    out.append({F, QStringLiteral("MAE"), boolText(s.alwaysOnTop)});
    out.append({Section::Test, QStringLiteral("TIMER"), checkText(s.timerBar)});
    out.append({Section::Test, QStringLiteral("SOKUDO"), s.sokudo});
    out.append({Section::Test, QStringLiteral("KAGEN"), s.kagen});
    out.append({Section::Test, QStringLiteral("ZYOUGEN"), s.zyougen});
    out.append({F, QStringLiteral("BACK"), QString::number(s.back)});
    out.append({Section::Q, QStringLiteral("Q"), QString::number(s.questionColour)});
    out.append({Section::A, QStringLiteral("A"), QString::number(s.answerColour)});
    out.append({Section::L, QStringLiteral("L"), QString::number(s.numberColour)});
    return out;
}

bool SaveSettings(const QString& settingsPath, const ExitSettings& settings)
{
    return SettingsStore::WriteValues(exitEntries(settings), settingsPath);
}

QList<SettingEntry> stickDefaultEntries()
{
    const QString& S = Section::Stick;
    return {
        {S, QStringLiteral("SFONTBOLD"), QStringLiteral("False")},
        {S, QStringLiteral("SFONTITALIC"), QStringLiteral("False")},
        {S, QStringLiteral("SFONTNAME"), kGothic},
        {S, QStringLiteral("SFONTSIZE"), QStringLiteral("11")},
        {S, QStringLiteral("SFONTBACKCOLOR"), QStringLiteral("15962624")},
        {S, QStringLiteral("SFONTCOLOR"), QStringLiteral("16777215")},
    };
}

QList<SettingEntry> prDefaultEntries()
{
    const QString& P = Section::Pr;
    return {
        {P, QStringLiteral("KUGIRIMOZI"), QStringLiteral(",")},
        {P, QStringLiteral("ITIGIMOZI"), QStringLiteral("、")},
        // −1: no voice chosen yet, so the first English voice is taken when the engine
        // reports its voices.
        {P, QStringLiteral("VOICECHARA"), QStringLiteral("-1")},
        {P, QStringLiteral("GETDISP"), QStringLiteral("1")},
        {P, QStringLiteral("NAIBU"), QStringLiteral("True")},
        {P, QStringLiteral("LONGS"), QStringLiteral("0")},
        {P, QStringLiteral("NYSECMODE"), QStringLiteral("0")},
        {P, QStringLiteral("MARUNEXT"), QStringLiteral("0")},
        {P, QStringLiteral("SCREENTEXT"), QStringLiteral("0")},
        {P, QStringLiteral("KANKAKU0"), QStringLiteral("4")},
        {P, QStringLiteral("KANKAKU1"), QStringLiteral("6")},
        {P, QStringLiteral("KANKAKU2"), QStringLiteral("1")},
        {P, QStringLiteral("NUMDISP0"), QStringLiteral("1")},
        {P, QStringLiteral("NUMDISP1"), QStringLiteral("1")},
        {P, QStringLiteral("NUMDISP2"), QStringLiteral("0")},
        {P, QStringLiteral("NUMDISP3"), QStringLiteral("0")},
        {P, QStringLiteral("DICTEXT"), kBuiltInDictionaryUrl},
        {P, QStringLiteral("HOMETEXT"), kBuiltInHomePageUrl},
    };
}

QList<SettingEntry> defaultEntries()
{
    QList<SettingEntry> out;
    addFont(out, QStringLiteral("Q"), FontSetting {true, false, kGothic, 0}, false);
    addFont(out, QStringLiteral("A"), FontSetting {true, false, kGothic, 0}, false);
    addFont(out, QStringLiteral("N"), FontSetting {true, false, kMincho, 12}, true);
    addFont(out, QStringLiteral("T"), FontSetting {true, false, kGothic, 12}, true);
    addFont(out, QStringLiteral("L"), FontSetting {false, false, kGothic, 9}, true);
    addFont(out, QStringLiteral("D"), FontSetting {false, false, kGothic, 9}, true);
    const QString& F = Section::Form;
    const QList<SettingEntry> form = {
        {F, QStringLiteral("PTOP"), QStringLiteral("3750")},
        {F, QStringLiteral("SEC"), QStringLiteral("2")},
        {F, QStringLiteral("NYSEC"), QStringLiteral("2")},
        {F, QStringLiteral("SIZE"), QStringLiteral("50")},
        {F, QStringLiteral("HIRITU"), QStringLiteral("50")},
        {F, QStringLiteral("TAKASA"), QStringLiteral("2")},
        {F, QStringLiteral("CF"), QStringLiteral("0")},
        {F, QStringLiteral("RANDOM"), QStringLiteral("True")},
        {F, QStringLiteral("NORMAL"), QStringLiteral("False")},
        {F, QStringLiteral("REVERSE"), QStringLiteral("0")},
        {F, QStringLiteral("VOICE"), QStringLiteral("0")},
        {F, QStringLiteral("SIM"), QStringLiteral("0")},
        {F, QStringLiteral("VA"), QStringLiteral("True")},
        {F, QStringLiteral("VP"), QStringLiteral("False")},
        {F, QStringLiteral("VL"), QStringLiteral("False")},
        {F, QStringLiteral("ITIGI"), QStringLiteral("False")},
        {F, QStringLiteral("NIGI"), QStringLiteral("False")},
        {F, QStringLiteral("SANGI"), QStringLiteral("False")},
        {F, QStringLiteral("TIMELAG"), QStringLiteral("False")},
        {F, QStringLiteral("MAE"), QStringLiteral("False")},
        {F, QStringLiteral("BACK"), QStringLiteral("15962624")},
        {Section::Q, QStringLiteral("Q"), QStringLiteral("16777215")},
        {Section::A, QStringLiteral("A"), QStringLiteral("16777215")},
        {Section::L, QStringLiteral("L"), QStringLiteral("16777215")},
    };
    out += form;
    out += stickDefaultEntries();
    const QString& T = Section::Test;
    const QList<SettingEntry> test = {
        {T, QStringLiteral("TIMER"), QStringLiteral("0")},
        {T, QStringLiteral("SOKUDO"), QStringLiteral("4")},
        {T, QStringLiteral("KAGEN"), QStringLiteral("0")},
        {T, QStringLiteral("ZYOUGEN"), QStringLiteral("10000")},
        {T, QStringLiteral("ZIDOU"), QStringLiteral("1")},
        {T, QStringLiteral("SHUDOU"), QStringLiteral("0")},
        {T, QStringLiteral("SUUZI"), QStringLiteral("0")},
        {T, QStringLiteral("HANI"), QStringLiteral("0")},
        {T, QStringLiteral("RND"), QStringLiteral("True")},
        {T, QStringLiteral("NRM"), QStringLiteral("False")},
        {T, QStringLiteral("REV"), QStringLiteral("0")},
        {T, QStringLiteral("KIKITORI"), QStringLiteral("0")},
        {T, QStringLiteral("NYUURYOKU"), QStringLiteral("0")},
    };
    out += test;
    out += prDefaultEntries();
    return out;
}

void InitSettings(const QString& settingsPath)
{
    SettingsStore::WriteValues(defaultEntries(), settingsPath);
}

void WriteStickDefaults(const QString& settingsPath)
{
    SettingsStore::WriteValues(stickDefaultEntries(), settingsPath);
}

bool isValidTypedSpeed(const QString& text)
{
    return secondsInRange(text, 0.01, 600);
}

QString typedSpeedOrDefault(const QString& text)
{
    return isValidTypedSpeed(text) ? text : QStringLiteral("2");
}

TestSettingsVerdict checkTestSettings(const TestSettingTexts& texts)
{
    TestSettingsVerdict v;
    v.resetTsec = !secondsInRange(texts.tsec, 0.01, 600);
    v.resetKetamin = !secondsInRange(texts.ketamin, 0, 1000000);
    v.resetKetamax = !secondsInRange(texts.ketamax, 0, 1000000);
    return v;
}

QList<SettingEntry> databaseFontEntries(const FontSetting& font)
{
    QList<SettingEntry> out;
    addFont(out, QStringLiteral("D"), font, true);
    return out;
}

} // namespace keruna
