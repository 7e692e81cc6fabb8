// 他の形式から読み込む through the main screen: the menu, the columns the user picks, the
// save, the list opened; the source file untouched; bad files refused with a reason.
#include "database/dbgamen.h"
#include "problemdata/problemcontroller.h"
#include "support/harness.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

TEST(ImportFromOtherTool, MakesANewListFromAnAnkiExportAndOpensIt)
{
    Form1Harness h;
    h.start();
    const QString source = h.path("deck.txt");
    const QByteArray anki
        = "#separator:tab\n#html:true\n#guid column:1\n"
          "g1\tapple\t<i>りんご</i>\ng2\t\"bread, rolls\"\tパン\ng3\t\tno question\n";
    writeBytes(source, anki);
    int offeredQuestion = -1;
    h.form().chooseImportColumns = [&](const ImportTable& table, const QString&) {
        offeredQuestion = table.question;
        return std::optional(ImportChoice {table.question, table.answer, TextEncoding::Cp932});
    };
    const QString target = h.path("deck-words.txt");
    for (int round = 0; round < 2; ++round) { // the second time over the file the first made
        h.platform.openAnswers.push_back(source);
        h.platform.saveAnswers.push_back(target);
        h.action("mimport")->trigger();
        EXPECT_EQ(offeredQuestion, 1); // the guid column is passed over
        EXPECT_EQ(
            readBytes(target), sjis(QStringLiteral("apple,りんご\r\nbread， rolls,パン\r\n")));
        EXPECT_EQ(readBytes(source), anki);
        ASSERT_FALSE(h.platform.messages.empty());
        EXPECT_EQ(h.platform.messages.back().text,
            QStringLiteral(
                "2 件を読み込みました。1 件は、区切り文字・改行・印と同じ文字を置き換えて"
                "1行にしました。1 件は問題が空のため飛ばしました。"));
        EXPECT_EQ(h.form().problems().chosenFileName(), target);
    }

    // The source itself is never the target; a file that is no table says why; nothing
    // is written.
    const int messages = int(h.platform.messages.size());
    h.platform.openAnswers.push_back(source);
    h.platform.saveAnswers.push_back(source);
    h.action("mimport")->trigger();
    EXPECT_EQ(readBytes(source), anki);
    struct Bad {
        const char* name;
        QByteArray bytes;
        const char* why;
    };
    const Bad bad[] = {
        {"broken.kvtml", "<kvtml version=\"2.0\"><entries><entry>", "壊れています"},
        {"image.csv", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ""},
        {"empty.csv", "\r\n\r\n", "読み込める行がありません"},
        {"huge.csv", QByteArray(), "大きすぎる"},
    };
    for (const Bad& b : bad) {
        const QString file = h.path(QString::fromLatin1(b.name));
        writeBytes(file, b.bytes);
        if (b.bytes.isEmpty()) {
            QFile huge(file);
            ASSERT_TRUE(huge.open(QIODevice::ReadWrite) && huge.resize(100LL * 1024 * 1024));
        }
        h.platform.openAnswers.push_back(file);
        h.action("mimport")->trigger();
        ASSERT_EQ(int(h.platform.messages.size()), messages + 2 + int(&b - bad)) << b.name;
        const QString said = h.platform.messages.back().text;
        EXPECT_TRUE(said.contains(QString::fromLatin1(b.name))) << b.name;
        EXPECT_TRUE(said.contains(QString::fromUtf8(b.why))) << said.toStdString();
    }
    EXPECT_TRUE(h.platform.saveAnswers.empty()); // no save dialog for any of them
}

// The open list written for Anki and for Parley, then read back: every entry comes back
// as it was (its marks as Anki tags on the way); the range alone when asked.
TEST(ImportFromOtherTool, AListWrittenForAnotherToolReadsBackTheSame)
{
    Form1Harness h;
    h.start();
    const QString path = h.path("w.txt");
    writeBytes(path,
        sjis(QStringLiteral("apple,りんご,,○\r\nsay \"hi\",こんにちは\r\ncat,ねこ、猫,赤×\r\n")));
    h.open(path);
    const QString anki = h.path("w-anki.txt");
    ExportChoice choice;
    QList<ExportSubsetOption> offered;
    h.form().chooseExportFormat
        = [&](int, const QString&, int, const QList<ExportSubsetOption>& subsets) {
              offered = subsets;
              return std::optional(choice);
          };
    h.platform.saveAnswers.push_back(anki);
    h.action("mexportother")->trigger();
    EXPECT_TRUE(offered.isEmpty()); // no database screen shown, no subsets
    EXPECT_EQ(readBytes(anki),
        QStringLiteral("#separator:tab\n#html:false\n#columns:問題\t答え\tタグ\n#tags column:3\n"
                       "apple\tりんご\t暗記済\n\"say \"\"hi\"\"\"\tこんにちは\t未暗記\n"
                       "cat\tねこ、猫\t未暗記 要チェック\n")
            .toUtf8());
    choice.format = ExportChoice::Format::Parley;
    const QString parley = h.path("w.kvtml");
    h.platform.saveAnswers.push_back(parley);
    h.action("mexportother")->trigger();

    h.form().chooseImportColumns = [](const ImportTable& table, const QString&) {
        return std::optional(ImportChoice {table.question, table.answer, TextEncoding::Utf8});
    };
    for (const QString& written : {anki, parley}) {
        const QString back = h.path("back.txt");
        h.platform.openAnswers.push_back(written);
        h.platform.saveAnswers.push_back(back);
        h.action("mimport")->trigger();
        EXPECT_EQ(readBytes(back),
            QStringLiteral("apple,りんご\r\nsay \"hi\",こんにちは\r\ncat,ねこ、猫\r\n").toUtf8())
            << written.toStdString();
        h.open(path);
    }

    // The range in force (【未】) alone.
    choice.rangeOnly = true;
    choice.format = ExportChoice::Format::Anki;
    h.platform.saveAnswers.push_back(anki);
    h.action("mexportother")->trigger();
    EXPECT_EQ(readBytes(anki).count('\n'), 4 + 2);

    // The database screen's subsets while it is shown, as its own export offers them.
    h.form().openDatabaseScreen();
    choice.rangeOnly = false;
    choice.subset = int(ExportSet::Red);
    h.platform.saveAnswers.push_back(anki);
    h.action("mexportother")->trigger();
    ASSERT_EQ(offered.size(), 4);
    EXPECT_EQ(offered[2].caption, QStringLiteral("要チェック　1語"));
    EXPECT_TRUE(
        readBytes(anki).endsWith(QStringLiteral("\ncat\tねこ、猫\t未暗記 要チェック\n").toUtf8()));
    EXPECT_EQ(readBytes(anki).count('\n'), 4 + 1);
}
