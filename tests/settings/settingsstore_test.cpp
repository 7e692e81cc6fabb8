#include "common/numbers.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace keruna;
using keruna::test::readBytes;
using keruna::test::sjis;
using keruna::test::writeBytes;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString read(const char* key, const char* section)
    {
        return SettingsStore::ReadValue(key, section, path);
    }
    bool write(const QString& value, const char* key, const char* section)
    {
        return SettingsStore::WriteValue(value, key, section, path);
    }

    QTemporaryDir dir;
    QString path = SettingsStore::settingsPath(dir.path());
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileSectionOrKeyReadsAsError)
{
    EXPECT_EQ(read("SEC", "FORM"), "ERROR");
    ASSERT_TRUE(write("2", "SEC", "FORM"));
    EXPECT_EQ(readBytes(path), QByteArray("[FORM]\r\nSEC=2\r\n"));
    EXPECT_EQ(read("SEC", "FORM"), "2");
    EXPECT_EQ(read("SIZE", "FORM"), "ERROR");
    EXPECT_EQ(read("SEC", "TEST"), "ERROR");
}

TEST_F(SettingsStoreTest, EmptyValueIsNotMissingAndANulEndsAValue)
{
    writeBytes(path, QByteArray("[PR]\r\nKUGIRIMOZI=\r\nX=ab\0cd\r\nY=1\r\n", 33));
    EXPECT_EQ(read("KUGIRIMOZI", "PR"), "");
    EXPECT_EQ(read("X", "PR"), "ab");
    EXPECT_EQ(read("Y", "PR"), "1");
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToCase)
{
    writeBytes(path, "[form]\r\nsec = 5 \r\n");
    EXPECT_EQ(read("SEC", "FORM"), "5");
    ASSERT_TRUE(write("6", "SEC", "FORM"));
    EXPECT_EQ(read("sec", "Form"), "6");
    EXPECT_EQ(readBytes(path).count("["), 1);
}

TEST_F(SettingsStoreTest, ValuesAreCutAt254Cp932Bytes)
{
    const QString a254(254, u'a');
    const QString kanji127(127, u'語');
    const QString wide = QStringLiteral("\U00020BB7"); // 𠮷: no code page 932 form, two units
    const QString cases[][2] = {
        {a254, a254},
        {a254 + "bc", a254},
        // Double-byte characters count twice; a character never splits.
        {kanji127, kanji127},
        {"a" + kanji127, "a" + QString(126, u'語')},
        // Half-width katakana is one byte.
        {QString(253, u'a') + QStringLiteral("ｱｲ"), QString(253, u'a') + QStringLiteral("ｱ")},
        {QString(252, u'a') + QStringLiteral("ｱｲｳ"), QString(252, u'a') + QStringLiteral("ｱｲ")},
        {QString(252, u'a') + QStringLiteral("｡ﾟﾟ"), QString(252, u'a') + QStringLiteral("｡ﾟ")},
        // A character outside the BMP (the file turns UTF-8) counts as two and stays whole.
        {QString(252, u'a') + wide, QString(252, u'a') + wide},
        {QString(253, u'a') + wide, QString(253, u'a')},
        {QString(10 * 1024, u'x'), QString(254, u'x')},
    };
    for (const auto& [value, expected] : cases) {
        ASSERT_TRUE(write(value, "V", "S"));
        EXPECT_EQ(read("V", "S"), expected) << value.size();
    }
}

TEST_F(SettingsStoreTest, ReplacesInPlaceAndKeepsEveryOtherLine)
{
    // Lines a write leaves alone keep their line ends, whatever they are.
    const QByteArray before
        = QByteArray("; written by hand\n[FORM]\r\nSEC=2\r\njunk without equals\r")
        + sjis(QStringLiteral("QFONTNAME=ＭＳ Ｐゴシック\r\n")) + "\r\n[TEST]\nTIMER=0";
    writeBytes(path, before);
    ASSERT_TRUE(write("8", "SEC", "FORM"));
    ASSERT_TRUE(write("1", "NEW", "FORM"));
    ASSERT_TRUE(write("x", "K", "PR"));
    const QByteArray after
        = QByteArray("; written by hand\n[FORM]\r\nSEC=8\r\njunk without equals\r")
        + sjis(QStringLiteral("QFONTNAME=ＭＳ Ｐゴシック\r\n"))
        + "NEW=1\r\n\r\n[TEST]\nTIMER=0\r\n[PR]\r\nK=x\r\n";
    EXPECT_EQ(readBytes(path), after);
    EXPECT_EQ(read("QFONTNAME", "FORM"), QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST_F(SettingsStoreTest, FirstOfDuplicateSectionsAndKeysWins)
{
    writeBytes(path, "[FORM]\r\nSEC=1\r\nSEC=2\r\n[FORM]\r\nSEC=3\r\nSIZE=9\r\n");
    EXPECT_EQ(read("SEC", "FORM"), "1");
    EXPECT_EQ(read("SIZE", "FORM"), "ERROR");
    ASSERT_TRUE(write("7", "SEC", "FORM"));
    EXPECT_EQ(
        readBytes(path), QByteArray("[FORM]\r\nSEC=7\r\nSEC=2\r\n[FORM]\r\nSEC=3\r\nSIZE=9\r\n"));
}

TEST_F(SettingsStoreTest, TheWholeFileIsInOneEncoding)
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QString wave = QStringLiteral("Noto\u301CSans"); // WAVE DASH: no cp932 form
    struct Case {
        QByteArray before;
        QList<QPair<QString, QString>> writes; // key, value in [FORM]
        QByteArray after;
    };
    const Case cases[] = {
        {sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\n")), {{"AFONTNAME", "ＭＳ Ｐゴシック"}},
            sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\nAFONTNAME=ＭＳ Ｐゴシック\r\n"))},
        // Half-width katakana in code page 932 is valid UTF-8 too: no guessing.
        {sjis(QStringLiteral("[FORM]\r\nDFONT=ﾒｲﾘｵ\r\n")), {{"QFONTNAME", "明朝"}},
            sjis(QStringLiteral("[FORM]\r\nDFONT=ﾒｲﾘｵ\r\nQFONTNAME=明朝\r\n"))},
        {"[FORM]\r\nSEC=2\r\n", {{"QFONTNAME", "明朝"}},
            sjis(QStringLiteral("[FORM]\r\nSEC=2\r\nQFONTNAME=明朝\r\n"))},
        {bom + QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\n").toUtf8(),
            {{"AFONTNAME", "游ゴシック"}},
            bom + QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\nAFONTNAME=游ゴシック\r\n").toUtf8()},
        // No cp932 form: every line goes over to UTF-8 with a BOM once, and stays there.
        {sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\nDFONT=ﾒｲﾘｵ\r\n")),
            {{"AFONTNAME", wave}, {"QFONTNAME", "ゴシック"}},
            bom
                + QStringLiteral("[FORM]\r\nQFONTNAME=ゴシック\r\nDFONT=ﾒｲﾘｵ\r\nAFONTNAME=")
                      .toUtf8()
                + wave.toUtf8() + "\r\n"},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.before);
        for (const auto& [key, value] : c.writes) {
            ASSERT_TRUE(SettingsStore::WriteValue(value, key, "FORM", path));
            EXPECT_EQ(SettingsStore::ReadValue(key, "FORM", path), value);
        }
        EXPECT_EQ(readBytes(path), c.after) << c.after.toHex(' ').toStdString();
    }
    EXPECT_EQ(read("DFONT", "FORM"), QStringLiteral("ﾒｲﾘｵ"));
}

TEST_F(SettingsStoreTest, OnlyAsciiLettersFoldInNames)
{
    // ヂ is 83 61 and ア is 83 41: the second bytes differ only as 'a' and 'A' do.
    const QByteArray before = sjis(QStringLiteral("[ア]\r\nア=1\r\nName=2\r\n"));
    writeBytes(path, before);
    EXPECT_EQ(SettingsStore::ReadValue(QStringLiteral("ヂ"), QStringLiteral("ア"), path), "ERROR");
    EXPECT_EQ(SettingsStore::ReadValue(QStringLiteral("ア"), QStringLiteral("ヂ"), path), "ERROR");
    EXPECT_EQ(SettingsStore::ReadValue("NAME", QStringLiteral("ア"), path), "2");
    ASSERT_TRUE(SettingsStore::WriteValue("3", QStringLiteral("ヂ"), QStringLiteral("ア"), path));
    EXPECT_EQ(readBytes(path), before + sjis(QStringLiteral("ヂ=3\r\n")));

    // ゾ is 83 5D: its second byte is ']', which does not close the section name.
    writeBytes(path, sjis(QStringLiteral("[ゾ]\r\nK=1\r\n[Z]\r\nK=9\r\n")));
    EXPECT_EQ(SettingsStore::ReadValue("K", QStringLiteral("ゾ"), path), "1");
    ASSERT_TRUE(SettingsStore::WriteValue("2", "K", QStringLiteral("ゾ"), path));
    EXPECT_EQ(readBytes(path), sjis(QStringLiteral("[ゾ]\r\nK=2\r\n[Z]\r\nK=9\r\n")));
}

TEST_F(SettingsStoreTest, APresentFileThatCannotBeReadIsNeverReplaced)
{
    // A pipe is there but is refused unread; it stands for any such file here, since the
    // tests may run as root, who reads every regular file whatever its permissions.
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(read("SEC", "FORM"), "ERROR");
    EXPECT_FALSE(write("2", "SEC", "FORM"));
    EXPECT_FALSE(SettingsStore::WriteValues({{"FORM", "SEC", "2"}, {"PR", "K", "x"}}, path));
    const QFileInfo after(path);
    EXPECT_TRUE(after.exists());
    EXPECT_FALSE(after.isFile());
    if (geteuid() != 0) {
        const QString locked = dir.filePath("locked.ini");
        writeBytes(locked, "[FORM]\r\nSEC=1\r\n");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        EXPECT_FALSE(SettingsStore::WriteValue("2", "SEC", "FORM", locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(readBytes(locked), QByteArray("[FORM]\r\nSEC=1\r\n"));
    }
}

TEST_F(SettingsStoreTest, ALineBreakNeverReachesTheFile)
{
    const QByteArray before("[PR]\r\nDICTEXT=a\r\nKUGIRIMOZI=,\r\n");
    writeBytes(path, before);
    const QList<SettingEntry> refused {{"PR", "DICTEXT", "x\r\nKUGIRIMOZI=;"},
        {"PR", "DICTEXT", "x\nKUGIRIMOZI=;"}, {"PR", "DICTEXT", "x\rKUGIRIMOZI=;"},
        {"PR", "DICTEXT\r\nKUGIRIMOZI", ";"}, {"PR]\r\n[X", "Y", "1"}};
    for (const SettingEntry& e : refused) {
        EXPECT_FALSE(SettingsStore::WriteValue(e.value, e.key, e.section, path))
            << e.value.toStdString();
        EXPECT_EQ(readBytes(path), before) << e.value.toStdString();
    }
    // In a batch the other entries are not written either.
    EXPECT_FALSE(
        SettingsStore::WriteValues({{"PR", "DICTEXT", "b"}, refused[0], {"PR", "NEW", "c"}}, path));
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(SettingsStoreTest, ARefusedBatchLeavesTheFileByteForByte)
{
    // A code page 932 file that cannot become UTF-8: 80 is no character in it.
    const QByteArray undecodable = QByteArray("[STICK]\r\r\n[\n x = ") + sjis(QStringLiteral("値"))
        + "\x80\r\nSFONTSIZE=11\n";
    const QByteArray lfOnly("[PR]\nDICTEXT=a\n\n[FORM]\nSEC=2\n");
    struct Case {
        const char* name;
        QByteArray before;
        QList<SettingEntry> good;
        SettingEntry refused;
    };
    const Case cases[] = {
        // U+FEFF has no code page 932 form, so the file would have to turn UTF-8.
        {"no UTF-8 form of the file", undecodable, {{"iTigIMOZi", "X", ""}},
            {"STICK", "SFONTNAME", QStringLiteral("a\uFEFFb")}},
        {"line break", lfOnly, {{"PR", "DICTEXT", "b"}, {"PR", "NEW", "c"}},
            {"FORM", "SEC", "3\nSIZE=9"}},
        {"lone surrogate", lfOnly, {{"FORM", "SEC", "5"}},
            {"FORM", "SIZE", QString(QChar(0xD800))}},
        {"empty key", lfOnly, {{"FORM", "SEC", "5"}}, {"FORM", "", "1"}},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.before);
        EXPECT_FALSE(SettingsStore::WriteValues(c.good + QList {c.refused}, path)) << c.name;
        EXPECT_EQ(readBytes(path), c.before) << c.name;
        EXPECT_FALSE(SettingsStore::WriteValues(QList {c.refused} + c.good, path)) << c.name;
        EXPECT_EQ(readBytes(path), c.before) << c.name;
        // The good entries alone are written: the refusal above was the bad entry's.
        EXPECT_TRUE(SettingsStore::WriteValues(c.good, path)) << c.name;
        EXPECT_EQ(SettingsStore::ReadValue(c.good[0].key, c.good[0].section, path), c.good[0].value)
            << c.name;
    }
}

TEST_F(SettingsStoreTest, JunkAndUnwritablePlacesNeverCrash)
{
    writeBytes(path, QByteArray("\x00\xFF\xFE\x81\x01[\x82]=\xFF\xFF", 11));
    EXPECT_EQ(read("SEC", "FORM"), "ERROR");
    ASSERT_TRUE(write("2", "SEC", "FORM"));
    EXPECT_EQ(read("SEC", "FORM"), "2");
    EXPECT_TRUE(readBytes(path).startsWith(QByteArray("\x00\xFF\xFE\x81\x01", 5)));

    EXPECT_FALSE(SettingsStore::WriteValue("2", "SEC", "FORM", dir.path()));
    EXPECT_FALSE(SettingsStore::WriteValue("2", "SEC", "FORM", dir.filePath("none/Settei.ini")));
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", dir.path()), "ERROR");
}

// Two programs writing their own keys at once keep every key; a lock left by a program that
// died is taken over at once rather than waited out.
TEST_F(SettingsStoreTest, WritersAtOnceLoseNoKeyAndADeadWritersLockIsTakenOver)
{
    constexpr int kEach = 60;
    auto writer = [this](const char* prefix) {
        for (int i = 0; i < kEach; ++i)
            SettingsStore::WriteValue(
                QString::number(i), QStringLiteral("%1%2").arg(prefix).arg(i), "FORM", path);
    };
    std::thread a(writer, "A");
    std::thread b(writer, "B");
    a.join();
    b.join();
    int kept = 0;
    for (const char* prefix : {"A", "B"})
        for (int i = 0; i < kEach; ++i)
            kept
                += SettingsStore::ReadValue(QStringLiteral("%1%2").arg(prefix).arg(i), "FORM", path)
                == QString::number(i);
    EXPECT_EQ(kept, 2 * kEach);

    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    writeBytes(path + ".lock", QByteArray::number(gone) + "\nkeruna\n\n");
    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(write("7", "SEC", "FORM"));
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_FALSE(QFileInfo::exists(path + ".lock"));
}

TEST_F(SettingsStoreTest, BooleansRoundTripAndTheMarkerDoesNotConvert)
{
    ASSERT_TRUE(write(boolText(true), "RANDOM", "FORM"));
    EXPECT_EQ(toBool(read("RANDOM", "FORM")), true);
    EXPECT_EQ(toBool(read("NORMAL", "FORM")), std::nullopt);
}
