#include "getlist/getlist.h"

#include <QLabel>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

class GetListTest : public ::testing::Test {
protected:
    QStringList column(int c) const
    {
        QStringList out;
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            out.append(view.topLevelItem(i)->text(c));
        return out;
    }
    QStringList keys() const
    {
        QStringList out;
        for (const GetEntry& e : list.shadow())
            out.append(e.key);
        return out;
    }

    QTreeWidget view;
    QLabel count;
    GetList list {view, count};
};

} // namespace

TEST_F(GetListTest, AppendsOnceIntoTwoColumns)
{
    EXPECT_TRUE(list.append(QStringLiteral("apple,りんご,林檎"), ",", false));
    EXPECT_FALSE(list.append(QStringLiteral("apple,りんご,林檎"), ",", false));
    EXPECT_TRUE(list.append(QStringLiteral("lonely"), ",", true));
    EXPECT_FALSE(list.append(QString(), ",", false));
    EXPECT_EQ(column(0), (QStringList {"apple", "lonely"}));
    EXPECT_EQ(column(1), (QStringList {QStringLiteral("りんご"), ""}));
    EXPECT_EQ(count.text(), "2");
    EXPECT_TRUE(list.contains("lonely"));
    EXPECT_EQ(view.topLevelItem(1)->foreground(1).color(), QColor(Qt::red));
    EXPECT_EQ(view.currentItem(), view.topLevelItem(1));
    // The number test may draw the same number twice.
    EXPECT_TRUE(list.append("42", ",", false, false, true));
    EXPECT_TRUE(list.append("42", ",", false, false, true));
    EXPECT_EQ(list.count(), 4);
}

TEST_F(GetListTest, RemovesTheSelectedEntryOrEveryCheckedOne)
{
    for (const char* k : {"a,1", "b,2", "c,3", "d,4", "e,5"})
        list.append(QString::fromLatin1(k), ",", QByteArray(k).startsWith('d'));
    view.setCurrentItem(view.topLevelItem(1));
    list.removeSelectedOrChecked(",");
    EXPECT_EQ(keys(), (QStringList {"a,1", "c,3", "d,4", "e,5"}));
    EXPECT_EQ(view.currentItem(), view.topLevelItem(1)); // the entry now at that place
    EXPECT_FALSE(list.contains("b,2"));

    list.setChecked(0, true);
    list.setChecked(1, true);
    list.removeSelectedOrChecked(",");
    EXPECT_EQ(keys(), (QStringList {"d,4", "e,5"}));
    EXPECT_TRUE(list.isRed(0));
    EXPECT_EQ(view.topLevelItem(0)->foreground(0).color(), QColor(Qt::red));
    EXPECT_EQ(count.text(), "2");
    EXPECT_FALSE(list.contains("a,1"));
    EXPECT_TRUE(list.contains("e,5"));
}

TEST_F(GetListTest, ClearingCanKeepTheShadowOfATest)
{
    list.append("a,1", ",", false);
    list.clear(true);
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(list.count(), 1);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.contains("a,1"));
    EXPECT_EQ(count.text(), "0");
}

TEST_F(GetListTest, RedMarkTogglesOnTheEntryAndItsShadow)
{
    list.append("a,1", ",", false);
    list.toggleRed(0);
    EXPECT_TRUE(list.isRed(0));
    EXPECT_EQ(view.topLevelItem(0)->foreground(1).color(), QColor(Qt::red));
    list.toggleRed(0);
    EXPECT_FALSE(list.shadow()[0].red);
}

TEST(GetStatistics, CheckedCountAndCutRate)
{
    EXPECT_EQ(getStatisticsText(QStringLiteral("チェック数と正解率(&C)"), 2, 3),
        QStringLiteral("チェック数　2\r\n正解率　66％"));
    EXPECT_EQ(getStatisticsText(QStringLiteral("チェック数と忘却率(&C)"), 29, 100),
        QStringLiteral("チェック数　29\r\n忘却率　29％"));
}
