#include "problemdata/problemloader.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemwriter.h"
#include "problemdata/saveprogress.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <algorithm>

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

SaveRequest listSave()
{
    SaveRequest r;
    r.ListSave = true;
    return r;
}

ListEntry entry(const char* text, int line = -1, bool red = false)
{
    return {QString::fromUtf8(text), red, false, line};
}

// The database lists as loading fills them: every line's entry in the list of its mark,
// knowing its line.
struct DbLists {
    QList<ListEntry> memorized;
    QList<ListEntry> notYet;
};

DbLists listsOf(const QStringList& lines)
{
    DbLists lists;
    for (int i = 0; i < lines.size(); ++i) {
        const QString record = classifyLine(lines[i]);
        (isMemorizedRecord(record) ? lists.memorized : lists.notYet)
            .append({itemTextOf(record), isRedRecord(record), false, i});
    }
    return lists;
}

// "m2" moves the entry of line 2 to the end of the other list, "r2" toggles its red mark.
void apply(DbLists& lists, const char* ops)
{
    for (const QString& op : QString::fromUtf8(ops).split(u' ', Qt::SkipEmptyParts)) {
        const int line = op.mid(1).toInt();
        for (QList<ListEntry>* list : {&lists.memorized, &lists.notYet}) {
            const auto it = std::find_if(
                list->begin(), list->end(), [&](const ListEntry& e) { return e.line == line; });
            if (it == list->end())
                continue;
            if (op.startsWith(u'r')) {
                it->red = !it->red;
            } else {
                const ListEntry moved = *it;
                list->erase(it);
                (list == &lists.memorized ? lists.notYet : lists.memorized).append(moved);
            }
            break;
        }
    }
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

TEST(SaveProgress, TwinsKeepTheirOwnMarksThroughMovesAndRedToggles)
{
    struct Row {
        const char* lines;
        const char* ops;
        const char* expected; // nullptr: the lines as they were
    };
    const char* two = "delta,デルタ|delta,デルタ,,○|x,1";
    const char* three = "t,1,,○|a,2|t,1|t,1,赤×";
    const Row rows[] = {
        {two, "", nullptr},
        {two, "m0", "delta,デルタ,,○|delta,デルタ,,○|x,1"},
        {two, "m1", "delta,デルタ|delta,デルタ|x,1"},
        {two, "r0", "delta,デルタ,赤×|delta,デルタ,,○|x,1"},
        {two, "r1", "delta,デルタ|delta,デルタ,赤○|x,1"},
        {two, "m0 m0", nullptr}, // there and back: last in its list now, still first in the file
        {three, "", nullptr},
        {three, "m0", "t,1|a,2|t,1|t,1,赤×"},
        {three, "m2", "t,1,,○|a,2|t,1,,○|t,1,赤×"},
        {three, "m3", "t,1,,○|a,2|t,1|t,1,赤○"},
        {three, "r2", "t,1,,○|a,2|t,1,赤×|t,1,赤×"},
        {three, "m3 m0", "t,1|a,2|t,1|t,1,赤○"},
    };
    for (const Row& row : rows) {
        const QStringList lines = split(row.lines);
        DbLists lists = listsOf(lines);
        apply(lists, row.ops);
        const MarkTable table = MarkTable::fromDbLists(lists.memorized, lists.notYet);
        EXPECT_EQ(linesForSaveInPlace(lines, listSave(), table),
            row.expected ? split(row.expected) : lines)
            << row.lines << " / " << row.ops;
    }
}

TEST(SaveProgress, TwinsPairWithEntriesInFileOrderThenListOrder)
{
    struct Row {
        const char* name;
        QList<ListEntry> memorized;
        QList<ListEntry> notYet;
        const char* lines;
        SaveRequest request;
        const char* expected;
    };
    const Row rows[] = {
        {"without lines, memorized first", {entry("x,1")}, {entry("x,1", -1, true), entry("y,2")},
            "x,1|x,1,赤×|y,2,,○", listSave(), "x,1,,○|x,1,赤×|y,2"},
        {"entries with a line first", {entry("t")}, {entry("t", 0, true)}, "t,赤×|t", listSave(),
            "t,赤×|t,,○"},
        {"one entry marks every twin", {entry("t")}, {}, "t|t,赤×|t", listSave(), "t,,○|t,,○|t,,○"},
        {"as many entries as lines, in another order", {entry("b")}, {entry("a")}, "a|b,赤×",
            listSave(), "a|b,,○"},
        {"lines past the entries take the last", {entry("t", 1)}, {entry("t", 0, true)},
            "t|t|t|t,,○", listSave(), "t,赤×|t,,○|t,,○|t,,○"},
        // A test of the memorized items: its entries stand for the memorized lines alone.
        {"test results pair with the lines looked up", {entry("w")}, {entry("w")}, "w|w,,○|w,,○",
            testSave(RangeFilter::Memorized), "w|w,,○|w"},
        {"test results of all", {entry("w", -1, true)}, {entry("w")}, "w|w|v",
            testSave(RangeFilter::All), "w,赤○|w|v"},
    };
    for (const Row& row : rows) {
        const MarkTable table = MarkTable::fromDbLists(row.memorized, row.notYet);
        const QStringList lines = split(row.lines);
        const QStringList saved = row.request.ListSave
            ? linesForSaveInPlace(lines, row.request, table)
            : linesForSaveAs(lines, row.request, RangeFilter::All, true, table);
        EXPECT_EQ(saved, split(row.expected)) << row.name;
    }
    // The GET list looks lines up by text: its first entry of a text marks every line.
    const MarkTable get = MarkTable::fromGetList({entry("t", -1, true), entry("t"), entry("u", 0)});
    EXPECT_EQ(linesForSaveInPlace(split("u|t|t,赤×|t|u,,○"), getSave(), get),
        split("u,,○|t,赤○|t,赤○|t,赤○|u,,○"));
    EXPECT_EQ(get.find(QStringLiteral("t")), QStringLiteral("t,赤○"));
    EXPECT_EQ(get.find(QStringLiteral("t,赤○")), std::nullopt);
}

TEST(SaveProgress, AListSaveOfTwinsWritesOnlyTheMovedTwinsLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("twins.txt");
    const QByteArray before = sjis(QStringLiteral("delta,デルタ\r\nkappa,カッパ,赤○\r\n"
                                                  "delta,デルタ,,○\r\ndelta,デルタ,赤×\r\n"));
    writeBytes(path, before);
    ProblemSet loaded;
    ASSERT_TRUE(LoadProblemFile(loaded, path));
    const QStringList lines = loaded.rawLines();

    DbLists lists = listsOf(lines);
    ASSERT_FALSE(writeProblemLines(path, loaded,
        linesForSaveInPlace(
            lines, listSave(), MarkTable::fromDbLists(lists.memorized, lists.notYet))));
    EXPECT_EQ(readBytes(path), before);

    apply(lists, "m3");
    ASSERT_FALSE(writeProblemLines(path, loaded,
        linesForSaveInPlace(
            lines, listSave(), MarkTable::fromDbLists(lists.memorized, lists.notYet))));
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("delta,デルタ\r\nkappa,カッパ,赤○\r\n"
                            "delta,デルタ,,○\r\ndelta,デルタ,赤○\r\n")));
}

TEST(SaveProgress, NothingIsWrittenEmpty)
{
    // A line that is only a mark has an empty item text: a reset leaves nothing to write,
    // and the empty result keeps its place.
    SaveRequest reset;
    reset.ResetSave = true;
    EXPECT_EQ(linesForSaveAs(split(",,○|z,3"), reset, RangeFilter::All, true, MarkTable()),
        split("|z,3"));
    // So does a replace save that finds it in no list; the writer leaves it out.
    const QStringList replaced
        = linesForSaveAs(split(",,○|z,3"), getSave(), RangeFilter::All, false, MarkTable());
    EXPECT_EQ(replaced, split("|z,3"));
    QTemporaryDir dir;
    const QString path = dir.filePath("new.txt");
    ASSERT_FALSE(writeNewList(path, ProblemSet(), replaced));
    EXPECT_EQ(readBytes(path), "z,3\r\n");
    const MarkTable table = MarkTable::fromDbLists({entry("x,1")}, {entry("x,1", -1, true)});
    EXPECT_EQ(table.size(), 2);
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

TEST(SaveProgress, AListSaveFromCopiesOfTheListsKeepsEveryUntouchedByte)
{
    // The screen hands the save copies of its lists that are gone before the lines are
    // written; twins, an item text ending in a mark code and a character with two code
    // page 932 forms (EE EF) must still come out byte for byte.
    QTemporaryDir dir;
    const QString path = dir.filePath("copies.txt");
    const QByteArray twin = sjis(QStringLiteral("delta,デルタ")) + QByteArray("\xEE\xEF");
    const QByteArray mem = sjis(QStringLiteral(",,○"));
    const QByteArray kappa = sjis(QStringLiteral("kappa,カッパ"));
    const QByteArray odd = sjis(QStringLiteral("x,1,,○"));
    const QByteArray loadedBytes = twin + "\r\n" + twin + mem + "\r\n\r\n" + kappa
        + sjis(QStringLiteral(",赤○")) + "\r\n" + kappa + "\r\n" + odd
        + sjis(QStringLiteral(",赤×")) + "\r\n";
    writeBytes(path, loadedBytes);
    const auto save = [&](const char* ops) {
        ProblemSet loaded;
        EXPECT_TRUE(LoadProblemFile(loaded, path));
        const QStringList lines = loaded.rawLines();
        const MarkTable table = [&] {
            DbLists lists = listsOf(lines);
            apply(lists, ops);
            return MarkTable::fromDbLists(
                QList<ListEntry>(lists.memorized), QList<ListEntry>(lists.notYet));
        }();
        EXPECT_FALSE(
            writeProblemLines(path, loaded, linesForSaveInPlace(lines, listSave(), table)));
        return readBytes(path);
    };
    const QByteArray unchanged = twin + "\r\n" + twin + mem + "\r\n" + kappa
        + sjis(QStringLiteral(",赤○")) + "\r\n" + kappa + "\r\n" + odd
        + sjis(QStringLiteral(",赤×")) + "\r\n";
    EXPECT_EQ(save(""), unchanged);
    EXPECT_EQ(save(""), unchanged);
    EXPECT_EQ(save("m0 r2 m4"),
        twin + mem + "\r\n" + twin + mem + "\r\n" + kappa + mem + "\r\n" + kappa + "\r\n" + odd
            + sjis(QStringLiteral(",赤○")) + "\r\n");
}

// Where each save goes: the GET list in place only where the range leaves every other
// line as it was; a test's results never in place, asked first after a test over every
// item; a save of the lists or the GET list is not one of the results, though they are held.
TEST(SaveProgress, EachSaveGoesWhereItsRangeAllows)
{
    const std::pair<RangeFilter, SaveRoute> getList[] = {
        {RangeFilter::NotYet, SaveRoute::InPlace},
        {RangeFilter::Review, SaveRoute::InPlace},
        {RangeFilter::Memorized, SaveRoute::ChosenFile},
        {RangeFilter::Red, SaveRoute::ChosenFile},
        {RangeFilter::All, SaveRoute::AskThenChosenFile},
    };
    for (const auto& [range, route] : getList)
        EXPECT_EQ(getListSaveRoute(range), route) << int(range);

    SaveRequest request;
    request.TestStartRange[size_t(RangeFilter::Memorized)] = true;
    EXPECT_EQ(resultsSaveRoute(request), SaveRoute::ChosenFile);
    request.TestStartRange[size_t(RangeFilter::All)] = true;
    EXPECT_EQ(resultsSaveRoute(request), SaveRoute::AskThenChosenFile);

    EXPECT_TRUE(request.savesTestResults(true));
    EXPECT_FALSE(request.savesTestResults(false));
    request.GetSave = true;
    EXPECT_FALSE(request.savesTestResults(true));
}

// A save counts for the history when it changed a line; blank lines, which every save
// drops, are no change.
TEST(SaveProgress, MarksChangedIgnoresOnlyBlankLines)
{
    const QStringList loaded = {"a,1", "", "b,2,,○"};
    EXPECT_FALSE(marksChanged(loaded, {"a,1", "b,2,,○"}));
    EXPECT_FALSE(marksChanged(loaded, {"", "a,1", "b,2,,○", ""}));
    EXPECT_TRUE(marksChanged(loaded, {"a,1,,○", "b,2,,○"}));
    EXPECT_TRUE(marksChanged(loaded, {"a,1"})); // a line gone
    EXPECT_TRUE(marksChanged(loaded, {"a,1", "b,2,,○", "c,3"})); // one more
    EXPECT_TRUE(marksChanged(loaded, {"b,2,,○", "a,1"})); // the order
}
