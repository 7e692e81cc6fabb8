#include "common/numbers.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST_F(SettingsStoreTest, EmptyValueIsNotMissing)
{
    writeBytes(path, "[PR]\r\nKUGIRIMOZI=\r\n");
    EXPECT_EQ(read("KUGIRIMOZI", "PR"), "");
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
    const QString ascii254(254, u'a');
    ASSERT_TRUE(write(ascii254, "V", "S"));
    EXPECT_EQ(read("V", "S"), ascii254);
    ASSERT_TRUE(write(ascii254 + "bc", "V", "S"));
    EXPECT_EQ(read("V", "S"), ascii254);

    // Double-byte characters count twice; a character never splits.
    const QString kanji127(127, u'語');
    ASSERT_TRUE(write(kanji127, "V", "S"));
    EXPECT_EQ(read("V", "S"), kanji127);
    ASSERT_TRUE(write("a" + kanji127, "V", "S"));
    EXPECT_EQ(read("V", "S"), "a" + QString(126, u'語'));

    const QString huge(10 * 1024, u'x');
    ASSERT_TRUE(write(huge, "V", "S"));
    EXPECT_EQ(read("V", "S").size(), 254);
}

TEST_F(SettingsStoreTest, ReplacesInPlaceAndKeepsEveryOtherLine)
{
    const QByteArray before
        = QByteArray("; written by hand\r\n[FORM]\r\nSEC=2\r\njunk without equals\r\n")
        + sjis(QStringLiteral("QFONTNAME=ＭＳ Ｐゴシック\r\n")) + "\r\n[TEST]\r\nTIMER=0\r\n";
    writeBytes(path, before);
    ASSERT_TRUE(write("8", "SEC", "FORM"));
    ASSERT_TRUE(write("1", "NEW", "FORM"));
    ASSERT_TRUE(write("x", "K", "PR"));
    const QByteArray after
        = QByteArray("; written by hand\r\n[FORM]\r\nSEC=8\r\njunk without equals\r\n")
        + sjis(QStringLiteral("QFONTNAME=ＭＳ Ｐゴシック\r\n"))
        + "NEW=1\r\n\r\n[TEST]\r\nTIMER=0\r\n[PR]\r\nK=x\r\n";
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

TEST_F(SettingsStoreTest, KeepsTheFilesEncoding)
{
    writeBytes(path, sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\n")));
    ASSERT_TRUE(write(QStringLiteral("ＭＳ Ｐゴシック"), "AFONTNAME", "FORM"));
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\nAFONTNAME=ＭＳ Ｐゴシック\r\n")));

    writeBytes(path, QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\n").toUtf8());
    ASSERT_TRUE(write(QStringLiteral("游ゴシック"), "AFONTNAME", "FORM"));
    EXPECT_EQ(readBytes(path),
        QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\nAFONTNAME=游ゴシック\r\n").toUtf8());
}

TEST_F(SettingsStoreTest, AValueWithoutACp932FormTurnsTheFileIntoUtf8)
{
    writeBytes(path, sjis(QStringLiteral("[FORM]\r\nQFONTNAME=明朝\r\n")));
    const QString name = QStringLiteral("Noto\u301CSans"); // WAVE DASH: no cp932 form
    ASSERT_TRUE(write(name, "AFONTNAME", "FORM"));
    EXPECT_EQ(read("AFONTNAME", "FORM"), name);
    EXPECT_EQ(read("QFONTNAME", "FORM"), QStringLiteral("明朝"));
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

TEST_F(SettingsStoreTest, BooleansRoundTripAndTheMarkerDoesNotConvert)
{
    ASSERT_TRUE(write(boolText(true), "RANDOM", "FORM"));
    EXPECT_EQ(toBool(read("RANDOM", "FORM")), true);
    EXPECT_EQ(toBool(read("NORMAL", "FORM")), std::nullopt);
}
