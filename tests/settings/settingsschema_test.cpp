#include "settings/settingsschema.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

// "SECTION/KEY" of every key line in the file, in file order.
QStringList keysInFile(const QString& path)
{
    QStringList keys;
    QString section;
    const QStringList lines = QString::fromUtf8(keruna::test::readBytes(path)).split("\r\n");
    for (const QString& line : lines) {
        if (line.startsWith('['))
            section = line.mid(1, line.indexOf(']') - 1);
        else if (line.contains('='))
            keys.append(section + '/' + line.left(line.indexOf('=')));
    }
    return keys;
}

QStringList expand(const QString& section, const QStringList& keys)
{
    QStringList out;
    for (const QString& k : keys)
        out.append(section + '/' + k);
    return out;
}

QStringList fontKeys(const QString& prefix, bool withSize)
{
    QStringList keys {prefix + "FONTBOLD", prefix + "FONTITALIC", prefix + "FONTNAME"};
    if (withSize)
        keys.append(prefix + "FONTSIZE");
    return keys;
}

} // namespace

TEST(SettingsSchema, InitSettingsWritesEveryDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Settei.ini");
    InitSettings(path);

    // Sections appear in the order of their first key; keys keep their order within them.
    QStringList form = fontKeys("Q", false) + fontKeys("A", false) + fontKeys("N", true)
        + fontKeys("T", true) + fontKeys("L", true) + fontKeys("D", true);
    form += QStringList {"PTOP", "SEC", "NYSEC", "SIZE", "HIRITU", "TAKASA", "CF", "RANDOM",
        "NORMAL", "REVERSE", "VOICE", "SIM", "VA", "VP", "VL", "ITIGI", "NIGI", "SANGI", "TIMELAG",
        "MAE", "BACK"};
    const QStringList expected = expand("FORM", form) + QStringList {"Q/Q", "A/A", "L/L"}
        + expand("STICK",
            {"SFONTBOLD", "SFONTITALIC", "SFONTNAME", "SFONTSIZE", "SFONTBACKCOLOR", "SFONTCOLOR"})
        + expand("TEST",
            {"TIMER", "SOKUDO", "KAGEN", "ZYOUGEN", "ZIDOU", "SHUDOU", "SUUZI", "HANI", "RND",
                "NRM", "REV", "KIKITORI", "NYUURYOKU"})
        + expand("PR",
            {"KUGIRIMOZI", "ITIGIMOZI", "VOICECHARA", "GETDISP", "NAIBU", "LONGS", "NYSECMODE",
                "MARUNEXT", "SCREENTEXT", "KANKAKU0", "KANKAKU1", "KANKAKU2", "NUMDISP0",
                "NUMDISP1", "NUMDISP2", "NUMDISP3", "DICTEXT", "HOMETEXT"});
    EXPECT_EQ(keysInFile(path), expected);

    auto read = [&](const char* key, const char* section) {
        return SettingsStore::ReadValue(key, section, path);
    };
    EXPECT_EQ(read("QFONTBOLD", "FORM"), "True");
    EXPECT_EQ(read("NFONTNAME", "FORM"), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(read("LFONTSIZE", "FORM"), "9");
    EXPECT_EQ(read("PTOP", "FORM"), "3750");
    EXPECT_EQ(read("BACK", "FORM"), "15962624");
    EXPECT_EQ(read("Q", "Q"), "16777215");
    EXPECT_EQ(read("SFONTSIZE", "STICK"), "11");
    EXPECT_EQ(read("ZYOUGEN", "TEST"), "10000");
    EXPECT_EQ(read("ZIDOU", "TEST"), "1");
    EXPECT_EQ(read("ITIGIMOZI", "PR"), QStringLiteral("、"));
    EXPECT_EQ(read("KANKAKU1", "PR"), "6");
    EXPECT_EQ(read("NUMDISP2", "PR"), "0");
    EXPECT_EQ(read("DICTEXT", "PR"), kBuiltInDictionaryUrl);
}

TEST(SettingsSchema, SaveSettingsWritesOnlyTheExitSetInItsOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Settei.ini");
    ExitSettings s;
    s.questionFont = {true, false, "Q", 0};
    s.numberFont = {false, true, "N", 10.5};
    SaveSettings(path, s);
    QStringList form = fontKeys("Q", false) + fontKeys("A", false) + fontKeys("N", true)
        + fontKeys("T", true) + fontKeys("L", true);
    form += QStringList {"PTOP", "SEC", "NYSEC", "SIZE", "HIRITU", "TAKASA", "CF", "RANDOM",
        "NORMAL", "REVERSE", "VOICE", "SIM", "VA", "VP", "VL", "ITIGI", "NIGI", "SANGI", "TIMELAG",
        "MAE"};
    // BACK is written after the TEST keys, so it joins the FORM section at its end.
    const QStringList expected = expand("FORM", form + QStringList {"BACK"})
        + expand("TEST", {"TIMER", "SOKUDO", "KAGEN", "ZYOUGEN"})
        + QStringList {"Q/Q", "A/A", "L/L"};
    EXPECT_EQ(keysInFile(path), expected);
    EXPECT_EQ(SettingsStore::ReadValue("NFONTSIZE", "FORM", path), "10.5");
    EXPECT_EQ(SettingsStore::ReadValue("NFONTITALIC", "FORM", path), "True");
}

TEST(SettingsSchema, TypedSpeedOutsideItsRangeBecomesTwo)
{
    EXPECT_EQ(typedSpeedOrDefault("700"), "2");
    EXPECT_EQ(typedSpeedOrDefault("600.5"), "2");
    EXPECT_EQ(typedSpeedOrDefault("0.005"), "2");
    EXPECT_EQ(typedSpeedOrDefault("ERROR"), "2");
    EXPECT_EQ(typedSpeedOrDefault(""), "2");
    EXPECT_EQ(typedSpeedOrDefault("0.5"), "0.5");
    EXPECT_EQ(typedSpeedOrDefault("600"), "600");
    EXPECT_EQ(typedSpeedOrDefault("0.01"), "0.01");
}

TEST(SettingsSchema, TestSettingsCheckResetsEachBadText)
{
    struct Case {
        TestSettingTexts texts;
        bool tsec, ketamin, ketamax;
    };
    const Case cases[] = {
        {{"4", "0", "10000"}, false, false, false},
        {{"abc", "0", "10000"}, true, false, false},
        {{"600", "1000000", "0"}, false, false, false},
        {{"600.5", "-1", "2000000"}, true, true, true},
        {{"0.005", "", "ERROR"}, true, true, true},
    };
    for (const Case& c : cases) {
        const TestSettingsVerdict v = checkTestSettings(c.texts);
        EXPECT_EQ(v.resetTsec, c.tsec) << c.texts.tsec.toStdString();
        EXPECT_EQ(v.resetKetamin, c.ketamin) << c.texts.ketamin.toStdString();
        EXPECT_EQ(v.resetKetamax, c.ketamax) << c.texts.ketamax.toStdString();
    }
}
