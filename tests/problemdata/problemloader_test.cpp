#include "problemdata/problemloader.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;
using keruna::test::sjis;
using keruna::test::writeBytes;

namespace {

class LoaderTest : public ::testing::Test {
protected:
    QString file(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("list%1.txt").arg(++m_n));
        writeBytes(path, bytes);
        return path;
    }
    static QByteArray lines(int count, const QByteArray& end = "\r\n")
    {
        QByteArray out;
        for (int i = 1; i <= count; ++i)
            out += "w" + QByteArray::number(i) + ",x" + end;
        return out;
    }
    int errorOf(const QString& path)
    {
        Result<ProblemSet> r = CheckProblemFile(path);
        return r ? 0 : r.error().number;
    }

    QTemporaryDir dir;

private:
    int m_n = 0;
};

} // namespace

TEST_F(LoaderTest, LoadsShiftJisWithBlankLinesTakingNoNumber)
{
    const QString path
        = file(sjis(QStringLiteral("apple,りんご\r\n\r\ncat,ねこ,,○\r\n\r\n\r\ndog,いぬ,赤×\r\n")));
    ProblemSet set;
    ASSERT_TRUE(LoadProblemFile(set, path));
    EXPECT_EQ(set.path, path);
    EXPECT_EQ(set.encoding, TextEncoding::Cp932);
    EXPECT_EQ(set.totalCount, 3);
    EXPECT_EQ(set.allList.value(2), QStringLiteral("dog,いぬ,赤×"));
    EXPECT_EQ(set.rawLines(),
        (QStringList {QStringLiteral("apple,りんご"), QStringLiteral("cat,ねこ,,○"),
            QStringLiteral("dog,いぬ,赤×")}));
}

TEST_F(LoaderTest, LoadsUtf8AndEveryLineEnd)
{
    ProblemSet set;
    ASSERT_TRUE(LoadProblemFile(set, file(QStringLiteral("犬,dog\r猫,cat\n鳥,bird").toUtf8())));
    EXPECT_EQ(set.encoding, TextEncoding::Utf8);
    EXPECT_EQ(set.totalCount, 3);
    EXPECT_EQ(set.allList.value(2), QStringLiteral("鳥,bird,,×"));
}

TEST_F(LoaderTest, CountsLinesAsTheyAreRead)
{
    EXPECT_EQ(errorOf(file(lines(20000))), 0);
    EXPECT_EQ(errorOf(file(lines(20001))), ErrorNumber::IndexOutOfRange);
    // The 20000th item followed by any further line, even a blank one.
    EXPECT_EQ(errorOf(file(lines(20000) + "\r\n")), ErrorNumber::IndexOutOfRange);
    // Blank lines between items give their count back.
    EXPECT_EQ(errorOf(file(lines(19999) + "\r\n\r\n\r\nlast,x\r\n")), 0);
}

TEST_F(LoaderTest, RefusesFilesWithoutItems)
{
    EXPECT_EQ(errorOf(file("")), ErrorNumber::ApplicationDefined);
    EXPECT_EQ(errorOf(file("\r\n\r\n\n\r")), ErrorNumber::ApplicationDefined);
    EXPECT_EQ(errorOf(dir.filePath("missing.txt")), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorOf(dir.path()), ErrorNumber::PathFileAccess);
}

TEST_F(LoaderTest, RefusalsSayWhatIsWrongWithTheFile)
{
    struct Case {
        QByteArray bytes;
        int number;
        QString mentions;
    };
    const Case cases[] = {
        {"\r\n\r\n", ErrorNumber::ApplicationDefined, QStringLiteral("問題がありません")},
        {lines(20001), ErrorNumber::IndexOutOfRange, QStringLiteral("20000個")},
        // A line no word list needs, named by its line in the file.
        {"a,1\r\n\r\nq," + QByteArray(ProblemSet::kMaxLineLength - 1, 'a') + "\r\n",
            ErrorNumber::ApplicationDefined, QStringLiteral("3行目が長すぎます")},
    };
    for (const Case& c : cases) {
        Result<ProblemSet> r = CheckProblemFile(file(c.bytes));
        ASSERT_FALSE(r) << c.number;
        EXPECT_EQ(r.error().number, c.number);
        EXPECT_TRUE(r.error().description.contains(c.mentions))
            << r.error().description.toStdString();
    }
    // A huge file is refused before it is read (this one is sparse: nothing to read).
    QFile huge(file("a,1\r\n"));
    ASSERT_TRUE(huge.resize(ProblemSet::kMaxFileBytes + 1));
    Result<ProblemSet> r = CheckProblemFile(huge.fileName());
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.error().description.contains(QStringLiteral("大きすぎる")));
    // A link that leads back to itself cannot be read; it is not missing.
    const QString loop = dir.filePath("loop.txt");
    ASSERT_TRUE(QFile::link(loop, loop));
    r = CheckProblemFile(loop);
    ASSERT_FALSE(r);
    EXPECT_NE(r.error().number, ErrorNumber::FileNotFound);
    EXPECT_TRUE(r.error().description.contains(QStringLiteral("循環")))
        << r.error().description.toStdString();
}

TEST_F(LoaderTest, RefusesBinaryAndWronglyEncodedFiles)
{
    Result<ProblemSet> nul = CheckProblemFile(file(QByteArray("a,b\r\nc\0d\r\n", 10)));
    ASSERT_FALSE(nul);
    EXPECT_TRUE(nul.error().description.contains(QStringLiteral("2行目")));
    // UTF-16 as Windows Notepad's "Unicode" writes it.
    EXPECT_FALSE(CheckProblemFile(file(QByteArray("\xFF\xFE"
                                                  "a\0,\0b\0",
        8))));
    Result<ProblemSet> bad = CheckProblemFile(file(QByteArray("a,b\r\n\r\nc,\xFD\xFD\r\n")));
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.error().description.contains(QStringLiteral("3行目")));
}

TEST_F(LoaderTest, AReloadTakesAFileThatLostItsItems)
{
    const QString path = file("a,1\r\n");
    ProblemSet set;
    ASSERT_TRUE(LoadProblemFile(set, path));
    writeBytes(path, "\r\n");
    set.clearRecords();
    ASSERT_TRUE(LoadProblemFile(set, path));
    EXPECT_EQ(set.totalCount, 0);
    EXPECT_EQ(
        LoadProblemFile(set, dir.filePath("gone.txt")).error().number, ErrorNumber::FileNotFound);
}

TEST_F(LoaderTest, AcceptsTheLongestLineAllowed)
{
    const QByteArray longLine = "q," + QByteArray(ProblemSet::kMaxLineLength - 2, 'a');
    ProblemSet set;
    ASSERT_TRUE(LoadProblemFile(set, file(longLine + "\r\nshort,x\r\n")));
    EXPECT_EQ(set.totalCount, 2);
    EXPECT_EQ(set.rawLine(0).size(), longLine.size());
}

TEST(Examples, BothSampleListsLoadWithEveryMark)
{
    for (const char* name : {"word-sjis.txt", "word-utf8.txt"}) {
        ProblemSet set;
        const QString path
            = QString::fromUtf8(KERUNA_EXAMPLES_DIR) + '/' + QString::fromLatin1(name);
        ASSERT_TRUE(LoadProblemFile(set, path)) << name;
        EXPECT_EQ(set.encoding,
            QByteArray(name).contains("sjis") ? TextEncoding::Cp932 : TextEncoding::Utf8);
        EXPECT_EQ(set.totalCount, 30) << name;
        bool codes[4] = {};
        for (const QString& r : set.allList) {
            codes[0] |= r.endsWith(QStringLiteral(",,○"));
            codes[1] |= r.endsWith(QStringLiteral(",赤○"));
            codes[2] |= r.endsWith(QStringLiteral(",赤×"));
            codes[3] |= r.endsWith(QStringLiteral(",,×"));
        }
        EXPECT_TRUE(codes[0] && codes[1] && codes[2] && codes[3]) << name;
    }
}
