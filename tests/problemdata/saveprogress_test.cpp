#include "problemdata/problemloader.h"
#include "problemdata/problemwriter.h"
#include "problemdata/saveprogress.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;
using keruna::test::readBytes;
using keruna::test::sjis;
using keruna::test::writeBytes;

namespace {

// a–d are in the lists, e–h are not; each group has one line of every mark.
const QStringList kLines = {QStringLiteral("a,1"), QStringLiteral("b,2,,○"),
    QStringLiteral("c,3,赤○"), QStringLiteral("d,4,赤×"), QStringLiteral("e,5"),
    QStringLiteral("f,6,,○"), QStringLiteral("g,7,赤○"), QStringLiteral("h,8,赤×")};

MarkTable getTable()
{
    return MarkTable::fromGetList({{QStringLiteral("a,1")}, {QStringLiteral("b,2"), true},
        {QStringLiteral("c,3")}, {QStringLiteral("d,4")}});
}

// After a test: a and c (red) right, b and d (red) wrong.
MarkTable dbTable()
{
    return MarkTable::fromDbLists({{QStringLiteral("a,1")}, {QStringLiteral("c,3"), true}},
        {{QStringLiteral("b,2")}, {QStringLiteral("d,4"), true}});
}

QStringList split(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

SaveRequest getSave()
{
    SaveRequest r;
    r.GetSave = true;
    return r;
}

SaveRequest testSave(RangeFilter started)
{
    SaveRequest r;
    r.TestStartRange[size_t(started)] = true;
    return r;
}

} // namespace

TEST(SaveProgress, SaveAsFollowsTheLineRulesOfEveryRequest)
{
    SaveRequest reset;
    reset.ResetSave = true;
    struct Row {
        const char* name;
        SaveRequest request;
        RangeFilter rangeNow;
        bool overwrite;
        bool fromGet;
        const char* expected;
    };
    const Row rows[] = {
        {"GET, all, overwrite", getSave(), RangeFilter::All, true, true,
            "a,1,,○|b,2,赤○|c,3,,○|d,4,,○|e,5|f,6,,○|g,7,赤○|h,8,赤×"},
        {"GET, all, replace", getSave(), RangeFilter::All, false, true,
            "a,1,,○|b,2,赤○|c,3,,○|d,4,,○|e,5|f,6|g,7,赤×|h,8,赤×"},
        {"GET, memorized only", getSave(), RangeFilter::Memorized, true, true,
            "a,1|b,2,赤○|c,3,,○|d,4,赤×|e,5|f,6|g,7,赤×|h,8,赤×"},
        {"GET, needs check only", getSave(), RangeFilter::Red, true, true,
            "a,1|b,2,,○|c,3,,○|d,4,,○|e,5|f,6,,○|g,7,赤×|h,8,赤×"},
        {"reset", reset, RangeFilter::All, true, true, "a,1|b,2|c,3|d,4|e,5|f,6|g,7|h,8"},
        {"test of not yet", testSave(RangeFilter::NotYet), RangeFilter::NotYet, false, false,
            "a,1,,○|b,2|c,3,赤○|d,4,赤×|e,5|f,6,,○|g,7,赤○|h,8,赤×"},
        {"test of memorized", testSave(RangeFilter::Memorized), RangeFilter::All, false, false,
            "a,1|b,2|c,3,赤○|d,4,赤×|e,5|f,6,,○|g,7,赤○|h,8,赤×"},
        {"test of needs check", testSave(RangeFilter::Red), RangeFilter::All, false, false,
            "a,1|b,2,,○|c,3,赤○|d,4,赤×|e,5|f,6,,○|g,7,赤○|h,8,赤×"},
        {"test of all, overwrite", testSave(RangeFilter::All), RangeFilter::All, true, false,
            "a,1,,○|b,2|c,3,赤○|d,4,赤×|e,5|f,6,,○|g,7,赤○|h,8,赤×"},
        {"test of all, replace", testSave(RangeFilter::All), RangeFilter::All, false, false,
            "a,1,,○|b,2|c,3,赤○|d,4,赤×|e,5|f,6|g,7,赤×|h,8,赤×"},
    };
    // Each row also through real files: a Shift-JIS list saved to a new file.
    QTemporaryDir dir;
    const QString source = dir.filePath("list.txt");
    writeBytes(source, sjis(kLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    ProblemSet loaded;
    ASSERT_TRUE(LoadProblemFile(loaded, source));
    for (const Row& row : rows) {
        const QStringList lines = linesForSaveAs(loaded.rawLines(), row.request, row.rangeNow,
            row.overwrite, row.fromGet ? getTable() : dbTable());
        EXPECT_EQ(lines, split(row.expected)) << row.name;
        const QString target = dir.filePath("saved.txt");
        ASSERT_FALSE(writeProblemLines(target, loaded, lines)) << row.name;
        EXPECT_EQ(readBytes(target),
            sjis(split(row.expected).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")))
            << row.name;
    }
}

TEST(SaveProgress, SaveInPlaceGivesListMarksOrMakesGetItemsMemorized)
{
    SaveRequest list;
    list.ListSave = true;
    EXPECT_EQ(linesForSaveInPlace(kLines, list, dbTable()),
        split("a,1,,○|b,2|c,3,赤○|d,4,赤×|e,5|f,6,,○|g,7,赤○|h,8,赤×"));
    // Only not-yet lines can match a GET entry; memorized lines stay as they are.
    EXPECT_EQ(linesForSaveInPlace(kLines, getSave(), getTable()),
        split("a,1,,○|b,2,,○|c,3,赤○|d,4,,○|e,5|f,6,,○|g,7,赤○|h,8,赤×"));
}

TEST(SaveProgress, TheFirstEntryForATextWinsAndNothingIsWrittenEmpty)
{
    // The same item twice in the file and in both lists: the memorized entry comes first.
    const MarkTable table = MarkTable::fromDbLists(
        {{QStringLiteral("x,1")}}, {{QStringLiteral("x,1"), true}, {QStringLiteral("y,2")}});
    SaveRequest list;
    list.ListSave = true;
    EXPECT_EQ(
        linesForSaveInPlace(split("x,1|x,1,赤×|y,2,,○"), list, table), split("x,1,,○|x,1,,○|y,2"));
    // A line that is only a mark has an empty item text: a reset leaves nothing to write,
    // and the empty result keeps its place.
    SaveRequest reset;
    reset.ResetSave = true;
    EXPECT_EQ(
        linesForSaveAs(split(",,○|z,3"), reset, RangeFilter::All, true, table), split("|z,3"));
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.find(QStringLiteral("x,1")), QStringLiteral("x,1,,○"));
    EXPECT_EQ(table.find(QStringLiteral("x")), std::nullopt);
}

TEST(SaveProgress, SaveTitles)
{
    SaveRequest reset;
    reset.ResetSave = true;
    const QString replacing
        = QStringLiteral("【保存説明】※注意：正解データ以外は全て不正解に置き換えます。");
    const QString overwriting = QStringLiteral("【保存説明】正解データを上書きします。");
    const QString backToNotYet = QStringLiteral("【保存説明】間違えたデータは未暗記に戻ります。");
    EXPECT_EQ(saveTitle(getSave(), RangeFilter::All, false), replacing);
    EXPECT_EQ(saveTitle(getSave(), RangeFilter::Memorized, true), replacing);
    EXPECT_EQ(saveTitle(getSave(), RangeFilter::All, true), overwriting);
    EXPECT_EQ(saveTitle(testSave(RangeFilter::All), RangeFilter::NotYet, false), replacing);
    EXPECT_EQ(saveTitle(testSave(RangeFilter::NotYet), RangeFilter::All, false), overwriting);
    EXPECT_EQ(saveTitle(testSave(RangeFilter::Red), RangeFilter::All, false), backToNotYet);
    // A reset is named as one, whatever an earlier save chose.
    EXPECT_EQ(saveTitle(reset, RangeFilter::All, true), QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(saveTitle(SaveRequest {}, RangeFilter::NotYet, false), std::nullopt);
}

TEST(SaveProgress, ExportsWriteTheirSubsetWithoutMarksUnderTheirNames)
{
    const QList<ListEntry> left = {{QStringLiteral("a,1"), true, true}, {QStringLiteral("b,2")}};
    const QList<ListEntry> right = {{QStringLiteral("c,3"), false, true},
        {QStringLiteral("d,4"), true}, {QStringLiteral("e,5")}};
    EXPECT_EQ(exportLines(left, right, ExportSet::Left), split("a,1|b,2"));
    EXPECT_EQ(exportLines(left, right, ExportSet::Right), split("c,3|d,4|e,5"));
    EXPECT_EQ(exportLines(left, right, ExportSet::Red), split("a,1|d,4"));
    EXPECT_EQ(exportLines(left, right, ExportSet::Checked), split("a,1|c,3"));

    const ExportCounts c
        = exportCounts(QStringLiteral("正解リスト"), QStringLiteral("間違いリスト"), left, right);
    EXPECT_EQ(exportOptionCaption(c, ExportSet::Left), QStringLiteral("正解リスト　2語"));
    EXPECT_EQ(exportOptionCaption(c, ExportSet::Red), QStringLiteral("要チェック　2語"));
    EXPECT_EQ(exportOptionCaption(c, ExportSet::Checked), QStringLiteral("チェック　2語"));
    EXPECT_EQ(exportFileName(c, ExportSet::Right), QStringLiteral("未3"));
    EXPECT_EQ(exportDialogTitle(c, ExportSet::Right),
        QStringLiteral("間違いリスト内のデータ（3単語）だけを保存します"));
    EXPECT_EQ(exportDialogTitle(c, ExportSet::Checked),
        QStringLiteral("チェックしたデータ（2単語）だけを保存します"));
    const ExportCounts none = exportCounts({}, {}, {}, right);
    EXPECT_FALSE(exportOptionEnabled(none, ExportSet::Left));
    EXPECT_FALSE(
        exportOptionEnabled(exportCounts({}, {}, {}, {{QStringLiteral("x")}}), ExportSet::Red));
}
