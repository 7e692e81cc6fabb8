#include "study/itemtext.h"

#include <gtest/gtest.h>

using namespace keruna;

namespace {

ItemText prepare(const char* line, int n = 1, const char* delimiter = ",",
    const char* separator = "、", MeaningLimit limit = MeaningLimit::Whole, bool reverse = false)
{
    Result<ItemText> r = PrepareItemText(QString::fromUtf8(line), n, QString::fromUtf8(delimiter),
        QString::fromUtf8(separator), limit, reverse);
    EXPECT_TRUE(r.ok()) << line;
    return r ? r.value() : ItemText {};
}

} // namespace

TEST(ItemText, SplitsAtTheDelimiter)
{
    ItemText a = prepare("apple,りんご;林檎");
    EXPECT_EQ(a.question, QStringLiteral("apple"));
    EXPECT_EQ(a.answer, QStringLiteral("りんご;林檎"));
    EXPECT_EQ(prepare("apple,りんご;林檎", 1, ",", ";", MeaningLimit::One).answer,
        QStringLiteral("りんご"));

    ItemText abc = prepare("a,b,c");
    EXPECT_EQ(abc.parts, (QStringList {"a", "b", "c"}));
    EXPECT_EQ(abc.answer, "b");
    EXPECT_EQ(prepare("apple,").answer, "");
    EXPECT_EQ(prepare("key=value", 1, "=").answer, "value");
    EXPECT_EQ(prepare("two  spaces", 1, "  ").answer, "spaces");
}

TEST(ItemText, ALineWithoutTheDelimiterNamesItsNumber)
{
    ItemText item = prepare("apple", 7);
    EXPECT_EQ(item.question, "apple");
    EXPECT_EQ(item.answer, QStringLiteral("7行目区切り文字エラー"));
    EXPECT_EQ(item.parts.size(), 2);
}

TEST(ItemText, AnEmptyDelimiterIsError9)
{
    EXPECT_EQ(SplitItemLine("a,b", 1, ""), QStringList {"a,b"});
    Result<ItemText> r
        = PrepareItemText("a,b", 1, "", QStringLiteral("、"), MeaningLimit::Whole, false);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().number, 9);
    EXPECT_EQ(delimiterMismatchText(""),
        QStringLiteral("エラー番号 ： 9\r\n指定した区切り文字    が一致していません。\r\n"
                       "正しく設定し直してから開始してください。"));
}

TEST(ItemText, MeaningLimitsKeepTheirQuirks)
{
    struct Case {
        const char* answer;
        MeaningLimit limit;
        const char* expected;
        const char* separator = "、";
    };
    const Case cases[] = {
        {"一、二、三、四、五", MeaningLimit::One, "一"},
        {"一、二、三、四、五", MeaningLimit::Two, "一、二"},
        {"一、二、三、四、五", MeaningLimit::Three, "一、二、三"},
        {"一、二", MeaningLimit::One, "一"},
        {"一、二", MeaningLimit::Two, "一、二"}, // one separator: unchanged
        {"一、二", MeaningLimit::Three, "一、二"}, // the third search finds the first again
        {"一、二、三", MeaningLimit::Two, "一、二"},
        {"一、二、三", MeaningLimit::Three, "一、二、三"}, // two separators: unchanged
        {"一、二、三、四", MeaningLimit::Three, "一、二、三"},
        {"一、二、三、", MeaningLimit::Three, "一、二、三"},
        {"一、、三、四", MeaningLimit::Three, "一、、三"}, // an empty meaning counts
        {"、二、三", MeaningLimit::Two, "、二"},
        {"、二", MeaningLimit::One, ""}, // the separator first: nothing left
        {"一", MeaningLimit::One, "一"},
        {"一", MeaningLimit::Three, "一"},
        {"一、二、三", MeaningLimit::Whole, "一、二、三"},
        // Each search starts one character after the last find, even inside a separator
        // of two characters.
        {"a///b//c", MeaningLimit::Two, "a/", "//"},
        {"a//b//c//d", MeaningLimit::Three, "a//b//c", "//"},
        // An empty separator is found wherever a search starts.
        {"一二三四", MeaningLimit::One, "", ""},
        {"一二三四", MeaningLimit::Two, "一", ""},
        {"一二三四", MeaningLimit::Three, "一二", ""},
    };
    for (const Case& c : cases) {
        Result<QString> r
            = LimitMeanings(QString::fromUtf8(c.answer), QString::fromUtf8(c.separator), c.limit);
        ASSERT_TRUE(r) << c.answer;
        EXPECT_EQ(r.value(), QString::fromUtf8(c.expected))
            << c.answer << " limit " << int(c.limit);
    }
    // Positions are 16-bit: a separator at 32767 is found, one at 32768 is an overflow.
    const QString at32767 = QString(32766, u'x') + QStringLiteral("、y");
    EXPECT_EQ(LimitMeanings(at32767, QStringLiteral("、"), MeaningLimit::One).value(),
        QString(32766, u'x'));
    const QString at32768 = u'x' + at32767;
    for (MeaningLimit limit : {MeaningLimit::One, MeaningLimit::Two, MeaningLimit::Three})
        EXPECT_EQ(LimitMeanings(at32768, QStringLiteral("、"), limit).error().number, 6);
    EXPECT_EQ(LimitMeanings(at32768, QStringLiteral("、"), MeaningLimit::Whole).value(), at32768);
}

TEST(ItemText, ReverseShowsTheCutMeaningsFirstButSpeechKeepsTheFirstColumn)
{
    ItemText item = prepare("apple,りんご、林檎", 1, ",", "、", MeaningLimit::One, true);
    EXPECT_EQ(item.question, QStringLiteral("りんご"));
    EXPECT_EQ(item.answer, QStringLiteral("apple"));
    EXPECT_EQ(item.parts.value(0), QStringLiteral("apple"));
}

TEST(ItemText, NumberTexts)
{
    EXPECT_EQ(mainNumberText(1, 3), QStringLiteral("No. 1 / 3"));
    EXPECT_EQ(mainNumberText(5, 20), QStringLiteral("No. 5 / 20"));
    EXPECT_EQ(stickNumberText(1, 3), QStringLiteral(" No.1/3"));
}
