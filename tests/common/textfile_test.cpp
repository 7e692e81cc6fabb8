#include "common/textfile.h"
#include "support/harness.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace keruna;
using keruna::test::readBytes;
using keruna::test::writeBytes;

TEST(TextFile, DetectsEncodingFromBytes)
{
    EXPECT_EQ(detectEncoding(QByteArray("\xEF\xBB\xBF"
                                        "abc")),
        TextEncoding::Utf8Bom);
    EXPECT_EQ(detectEncoding(QStringLiteral("りんご").toUtf8()), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding(QByteArray("\x82\xe8\x82\xf1\x82\xb2")), TextEncoding::Cp932);
    // Overlong forms and surrogates are not UTF-8.
    EXPECT_FALSE(isValidUtf8(QByteArray("\xC0\xAF")));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xED\xA0\x80")));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xE3\x81")));
}

TEST(TextFile, Cp932UsesTheWindowsMapping)
{
    // ～ ― ∥ － ① ㈱ ≒ as Windows editors write them.
    const QByteArray bytes("\x81\x60\x81\x5C\x81\x61\x81\x7C\x87\x40\x87\x8A\x81\xE0", 14);
    const std::optional<QString> text = decodeText(bytes, TextEncoding::Cp932);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QStringLiteral("\uFF5E\u2015\u2225\uFF0D①㈱≒"));
    EXPECT_EQ(encodeText(*text, TextEncoding::Cp932), bytes);
}

TEST(TextFile, SplitsEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList {"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList {"a", "", "b"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\r\n")), (QStringList {"a", ""}));
    EXPECT_TRUE(splitLines(QString()).isEmpty());
}

TEST(TextFile, RefusesBytesThatAreNotTextNamingTheLine)
{
    Result<TextLines> nul = decodeTextLines(QByteArray("a,b\r\nc,d\r\ne\0f\r\n", 14));
    ASSERT_FALSE(nul);
    EXPECT_TRUE(nul.error().description.contains(QStringLiteral("3行目")))
        << nul.error().description.toStdString();

    // Line 2 holds a lead byte followed by a byte that cannot follow it.
    const QByteArray bad
        = keruna::test::sjis(QStringLiteral("いぬ,dog\r\n")) + QByteArray("x,\x82\xFF\r\ny,z\r\n");
    Result<TextLines> broken = decodeTextLines(bad);
    ASSERT_FALSE(broken);
    EXPECT_TRUE(broken.error().description.contains(QStringLiteral("2行目")));

    // A lead byte cut off at the end of the file.
    EXPECT_FALSE(decodeTextLines(QByteArray("abc\x82")));
}

TEST(TextFile, DecodesEachEncodingIntoLines)
{
    Result<TextLines> bom
        = decodeTextLines(QByteArray("\xEF\xBB\xBF") + QStringLiteral("犬,dog\r\n").toUtf8());
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom.value().encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(bom.value().lines, QStringList {QStringLiteral("犬,dog")});

    Result<TextLines> sj = decodeTextLines(keruna::test::sjis(QStringLiteral("犬,dog\r猫,cat")));
    ASSERT_TRUE(sj);
    EXPECT_EQ(sj.value().encoding, TextEncoding::Cp932);
    EXPECT_EQ(sj.value().lines, (QStringList {QStringLiteral("犬,dog"), QStringLiteral("猫,cat")}));
}

TEST(TextFile, WritesBackInTheEncodingReadWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    const QByteArray original
        = keruna::test::sjis(QStringLiteral("apple,りんご\r\ncat,ねこ,,○\r\n"));
    writeBytes(path, original);
    Result<TextLines> read = readTextFile(path);
    ASSERT_TRUE(read);
    ASSERT_FALSE(writeTextFile(path, read.value().lines, read.value().encoding));
    EXPECT_EQ(readBytes(path), original);

    ASSERT_FALSE(writeTextFile(path, {"a", "b"}, TextEncoding::Utf8Bom));
    EXPECT_EQ(readBytes(path),
        QByteArray("\xEF\xBB\xBF"
                   "a\r\nb\r\n"));
}

TEST(TextFile, NeverReplacesACharacterTheEncodingCannotHold)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    writeBytes(path, "old\r\n");
    // U+301C WAVE DASH has no code page 932 form (Windows uses U+FF5E).
    const std::optional<AppError> error
        = writeTextFile(path, {"ok", QStringLiteral("wave\u301C")}, TextEncoding::Cp932);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->description.contains(QStringLiteral("2行目")));
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
}

TEST(TextFile, ReportsFilesThatCannotBeRead)
{
    QTemporaryDir dir;
    EXPECT_EQ(readFileBytes(dir.filePath("missing.txt")).error().number, ErrorNumber::FileNotFound);
    EXPECT_EQ(readFileBytes(dir.path()).error().number, ErrorNumber::PathFileAccess);
    EXPECT_TRUE(writeFileBytes(dir.filePath("no/such/folder.txt"), "x").has_value());
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not apply to root";
    const QString locked = dir.filePath("locked.txt");
    writeBytes(locked, "a,b\r\n");
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    EXPECT_EQ(readFileBytes(locked).error().number, ErrorNumber::PermissionDenied);
}
