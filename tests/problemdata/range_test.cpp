#include "problemdata/range.h"

#include <gtest/gtest.h>

using namespace keruna;

namespace {

ProblemSet setOf(
    std::initializer_list<const char*> lines, const char* path = "/home/u/単語/word.txt")
{
    ProblemSet set;
    set.path = QString::fromUtf8(path);
    for (const char* l : lines)
        set.addLine(QString::fromUtf8(l));
    return set;
}

} // namespace

TEST(Range, CaptionShowsRangeCountsAndCompletion)
{
    ProblemSet set;
    set.path = QStringLiteral("C:\\単語\\word.txt");
    set.notYetCount = 12;
    set.memorizedCount = 30;
    set.redCount = 3;
    RangeState state;
    state.current = RangeFilter::NotYet;
    EXPECT_EQ(updateTitleTexts(state, set),
        QStringLiteral("ケルナ　 word.txt 【未】 未12 覚30 (要3)   "));
    EXPECT_EQ(state.rangeStatusText, QStringLiteral("【未】 未12 覚30 (要3)"));

    set.notYetCount = 0;
    set.redCount = 0;
    state.current = RangeFilter::All;
    EXPECT_EQ(updateTitleTexts(state, set),
        QStringLiteral("ケルナ　 word.txt 【全】 未0 覚30   全て完了しました"));
}

TEST(Range, TitleKeepsStatusWhileNoRangeIsChecked)
{
    ProblemSet set = setOf({"a,1", "b,2,,○"});
    RangeState state;
    state.rangeStatusText = QStringLiteral("【覚】 未5 覚5");
    EXPECT_EQ(updateTitleTexts(state, set), QStringLiteral("ケルナ　 word.txt 【覚】 未5 覚5   "));

    ProblemSet none;
    EXPECT_EQ(updateTitleTexts(state, none), std::nullopt);
}

TEST(Range, EmptyRangesAreRefusedButAllIsAlwaysAccepted)
{
    const ProblemSet set = setOf({"a,1,,○", "b,2,,○"});
    RangeState state;
    EXPECT_EQ(state.decide(set, RangeFilter::NotYet), RangeDecision::Refuse);
    EXPECT_EQ(state.decide(set, RangeFilter::Red), RangeDecision::Refuse);
    EXPECT_EQ(state.decide(set, RangeFilter::Memorized), RangeDecision::Select);
    EXPECT_EQ(state.decide(ProblemSet {}, RangeFilter::All), RangeDecision::Select);
    state.restoring = true;
    EXPECT_EQ(state.decide(set, RangeFilter::Memorized), RangeDecision::Ignore);

    EXPECT_EQ(initialRange(set), RangeFilter::All);
    EXPECT_EQ(initialRange(setOf({"a,1"})), RangeFilter::NotYet);
    EXPECT_EQ(
        rangeEmptyMessage(RangeFilter::Red), QStringLiteral("要チェックデータがありません。"));
    EXPECT_EQ(
        rangeEmptyMessage(RangeFilter::Memorized), QStringLiteral("暗記済みデータがありません。"));
    EXPECT_EQ(rangeEmptyMessage(RangeFilter::NotYet), QStringLiteral("未暗記データがありません。"));
}

TEST(Range, FileNameAndFolderTakeEitherSeparator)
{
    EXPECT_EQ(fileNameOf(QStringLiteral("C:\\a\\b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(fileNameOf(QStringLiteral("/home/u/b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(folderOf(QStringLiteral("/home/u/b.txt")), QStringLiteral("/home/u"));
    EXPECT_EQ(folderOf(QStringLiteral("b.txt")), QString());
}
