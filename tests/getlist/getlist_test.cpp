#include "getlist/getlist.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QLabel>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

class GetListTest : public ::testing::Test {
protected:
    QStringList column(int c) const
    {
        QStringList out;
        for (int i = 0; i < model().rowCount(); ++i)
            out.append(model().index(i, c).data().toString());
        return out;
    }
    QColor colour(int row, int c) const
    {
        return model().index(row, c).data(Qt::ForegroundRole).value<QColor>();
    }
    int current() const { return view.currentIndex().isValid() ? view.currentIndex().row() : -1; }
    const QAbstractItemModel& model() const { return *view.model(); }
    QStringList keys() const
    {
        QStringList out;
        for (const GetEntry& e : list.shadow())
            out.append(e.key);
        return out;
    }

    QTreeView view;
    QLabel count;
    GetList list {view, count};
    QAbstractItemModelTester tester {
        &list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
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
    EXPECT_EQ(colour(1, 1), QColor(Qt::red));
    EXPECT_EQ(list.selectedIndex(), 1);
    QCoreApplication::processEvents(); // the view follows once the appends are done
    EXPECT_EQ(current(), 1);
    // The number test may draw the same number twice.
    EXPECT_TRUE(list.append("42", ",", false, false, true));
    EXPECT_TRUE(list.append("42", ",", false, false, true));
    EXPECT_EQ(list.count(), 4);
}

TEST_F(GetListTest, RemovesTheSelectedEntryOrEveryCheckedOne)
{
    for (const char* k : {"a,1", "b,2", "c,3", "d,4", "e,5"})
        list.append(QString::fromLatin1(k), ",", QByteArray(k).startsWith('d'));
    list.select(1);
    list.removeSelectedOrChecked();
    EXPECT_EQ(keys(), (QStringList {"a,1", "c,3", "d,4", "e,5"}));
    EXPECT_EQ(current(), 1); // the entry now at that place
    EXPECT_FALSE(list.contains("b,2"));

    list.setChecked(0, true);
    list.setChecked(1, true);
    list.removeSelectedOrChecked();
    EXPECT_EQ(keys(), (QStringList {"d,4", "e,5"}));
    EXPECT_TRUE(list.isRed(0));
    EXPECT_EQ(colour(0, 0), QColor(Qt::red));
    EXPECT_EQ(count.text(), "2");
    EXPECT_FALSE(list.contains("a,1"));
    EXPECT_TRUE(list.contains("e,5"));
}

TEST_F(GetListTest, ClearingCanKeepTheShadowOfATest)
{
    list.append("a,1", ",", false);
    list.setChecked(0, true);
    list.clear(true);
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(list.shadow()[0].checked); // a test's judgement outlives the view
    EXPECT_EQ(count.text(), "0");
    // The next item taken starts the list over.
    list.append("a,1", ",", false);
    EXPECT_EQ(list.count(), 1);
    EXPECT_FALSE(list.shadow()[0].checked);
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
    EXPECT_EQ(colour(0, 1), QColor(Qt::red));
    list.toggleRed(0);
    EXPECT_FALSE(list.shadow()[0].red);
}

TEST_F(GetListTest, ASecondViewShowsAndChecksTheSameEntries)
{
    QTreeView outside;
    outside.setModel(&list.model());
    list.append("a,1", ",", false);
    list.append("b,2", ",", true);
    EXPECT_EQ(outside.model()->rowCount(), 2);
    // A check made in the other view is the list's own.
    outside.model()->setData(outside.model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(list.isChecked(1));
    EXPECT_EQ(list.checkedCount(), 1);
    list.removeSelectedOrChecked();
    EXPECT_EQ(outside.model()->rowCount(), 1);
    EXPECT_EQ(outside.model()->index(0, 0).data().toString(), "a");
}

TEST(GetStatistics, CheckedCountAndCutRate)
{
    EXPECT_EQ(getStatisticsText(StatisticsRate::Correct, 2, 3),
        QStringLiteral("チェック数　2\r\n正解率　66％"));
    EXPECT_EQ(getStatisticsText(StatisticsRate::Forgetting, 29, 100),
        QStringLiteral("チェック数　29\r\n忘却率　29％"));
}
