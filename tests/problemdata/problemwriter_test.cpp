#include "common/textfile.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemwriter.h"
#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;
using keruna::test::readBytes;
using keruna::test::sjis;
using keruna::test::writeBytes;

namespace {

// ⅰ has two code page 932 forms: EE EF (NEC-selected) is read, FA 40 is what an encoder
// writes. A save must not turn one into the other.
const QByteArray kTwinForm = QByteArray("\xEE\xEF");

ProblemSet load(const QString& path)
{
    ProblemSet set;
    EXPECT_TRUE(LoadProblemFile(set, path)) << path.toStdString();
    return set;
}

QStringList marked(QStringList lines, int index, const QString& mark)
{
    lines[index] += mark;
    return lines;
}

} // namespace

TEST(ProblemWriter, AnUnchangedSaveGivesBackTheFileAndAMarkChangesOnlyItsLine)
{
    struct Case {
        const char* name;
        QByteArray bytes; // as loaded: blank lines are the only thing a save drops
        QByteArray unchanged;
        QByteArray firstMarked; // line 1 given ",,○"
    };
    const QByteArray sj1 = sjis(QStringLiteral("apple,りんご")) + kTwinForm;
    const QByteArray sj2 = sjis(QStringLiteral("book,本,赤×"));
    const QByteArray u1 = QStringLiteral("apple,りんご").toUtf8();
    const QByteArray u2 = QStringLiteral("book,本,赤×").toUtf8();
    const QByteArray bom("\xEF\xBB\xBF");
    const Case cases[] = {
        {"cp932, CR LF, a blank line", sj1 + "\r\n\r\n" + sj2 + "\r\n", sj1 + "\r\n" + sj2 + "\r\n",
            sj1 + sjis(QStringLiteral(",,○")) + "\r\n" + sj2 + "\r\n"},
        {"cp932, LF, no final line end", sj1 + "\n" + sj2, sj1 + "\n" + sj2 + "\n",
            sj1 + sjis(QStringLiteral(",,○")) + "\n" + sj2 + "\n"},
        {"UTF-8, LF", u1 + "\n" + u2 + "\n", u1 + "\n" + u2 + "\n",
            u1 + QStringLiteral(",,○").toUtf8() + "\n" + u2 + "\n"},
        {"UTF-8 with BOM, CR LF", bom + u1 + "\r\n" + u2 + "\r\n", bom + u1 + "\r\n" + u2 + "\r\n",
            bom + u1 + QStringLiteral(",,○").toUtf8() + "\r\n" + u2 + "\r\n"},
        {"UTF-8 with BOM, lone CR", bom + u1 + "\r" + u2 + "\r", bom + u1 + "\r\n" + u2 + "\r\n",
            bom + u1 + QStringLiteral(",,○").toUtf8() + "\r\n" + u2 + "\r\n"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath("list.txt");
        writeBytes(path, c.bytes);
        ProblemSet set = load(path);
        for (int round = 0; round < 2; ++round) { // the second save reads the first one's file
            ASSERT_FALSE(writeProblemLines(path, set, set.rawLines())) << c.name;
            EXPECT_EQ(readBytes(path), c.unchanged) << c.name << round;
            set = load(path);
        }
        ASSERT_FALSE(
            writeProblemLines(path, set, marked(set.rawLines(), 0, QStringLiteral(",,○"))));
        EXPECT_EQ(readBytes(path), c.firstMarked) << c.name;
        // And back: the mark goes, the item's bytes stay.
        set = load(path);
        QStringList lines = set.rawLines();
        lines[0].chop(3);
        ASSERT_FALSE(writeProblemLines(path, set, lines));
        EXPECT_EQ(readBytes(path), c.unchanged) << c.name;
    }
}

TEST(ProblemWriter, RefusedOrFailedSavesLeaveTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    const QByteArray bytes = sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n"));
    writeBytes(path, bytes);
    const ProblemSet set = load(path);

    // A character code page 932 cannot hold: refused before anything is written.
    const std::optional<AppError> refused = writeProblemLines(
        path, set, {QStringLiteral("apple,りんご"), QStringLiteral("book,本😀")});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->description.contains(QStringLiteral("2行目")))
        << refused->description.toStdString();
    EXPECT_EQ(readBytes(path), bytes);

    // The disk fills up half-way.
    failWriteAfter(0);
    EXPECT_TRUE(writeProblemLines(path, set, marked(set.rawLines(), 1, QStringLiteral(",,○"))));
    EXPECT_EQ(readBytes(path), bytes);

    // The path became a folder.
    QFile::remove(path);
    ASSERT_TRUE(QDir(dir.path()).mkdir("list.txt"));
    EXPECT_TRUE(writeProblemLines(path, set, set.rawLines()));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(ProblemWriter, AFileChangedByAnotherProgramIsNoticedAndWrittenFromItsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\n")));
    const ProblemSet set = load(path);
    EXPECT_FALSE(changedOnDisk(set));
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nextra,行\r\n")));
    EXPECT_TRUE(changedOnDisk(set));
    // Written from the loaded text: nothing of the other program's file is mixed in.
    ASSERT_FALSE(writeProblemLines(path, set, marked(set.rawLines(), 0, QStringLiteral(",赤○"))));
    EXPECT_EQ(readBytes(path), sjis(QStringLiteral("apple,りんご,赤○\r\n")));
    QFile::remove(path);
    EXPECT_TRUE(changedOnDisk(set));
}

// An item text may itself end in a mark code ("ⅰ,,○" of "ⅰ,,○,赤×"): when its own mark
// changes, only the mark is new and the item text keeps the bytes it was read from.
TEST(ProblemWriter, AnItemTextEndingInAMarkCodeKeepsItsBytesWhenItsMarkChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    const QByteArray item = kTwinForm + sjis(QStringLiteral(",,○"));
    const QByteArray other = sjis(QStringLiteral("book,本\r\n"));
    const struct {
        QString mark;
        QByteArray written;
    } cases[] = {{QString(), item}, {QStringLiteral(",,○"), item + sjis(QStringLiteral(",,○"))},
        {QStringLiteral(",赤○"), item + sjis(QStringLiteral(",赤○"))}};
    for (const auto& c : cases) {
        writeBytes(path, item + sjis(QStringLiteral(",赤×\r\n")) + other);
        const ProblemSet set = load(path);
        QStringList lines = set.rawLines();
        ASSERT_EQ(lines[0], QStringLiteral("ⅰ,,○,赤×"));
        lines[0] = QStringLiteral("ⅰ,,○") + c.mark;
        ASSERT_FALSE(writeProblemLines(path, set, lines));
        EXPECT_EQ(readBytes(path), c.written + "\r\n" + other) << c.mark.toStdString();
    }
}
