#include "database/resultlists.h"

#include "database/dblistmodel.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

const QString kComments[] = {
    QStringLiteral("必要ない問題はＤＢで移動しておくと効率的だよ。"),
    QStringLiteral("覚えにくい問題を集中的にやっていこうね。"),
    QStringLiteral("集中して繰り返せば必ず力がつくよ！"),
    QStringLiteral("この調子なら暗記数が増えていくよ！"),
    QStringLiteral("大変よくできました、得意分野と言えます!! "),
    QStringLiteral("すばらしい成績です!! すごい実力があります。"),
    QStringLiteral("おめでとうございます、全問制覇しました !! "),
    QStringLiteral("パーフェクト、完璧です !! "),
};

// What a row shows: both columns, with "!" after a column drawn red, and "+" when its
// check box is ticked.
QStringList shown(const DbListModel& m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QString row;
        for (int c = 0; c < 2; ++c) {
            const QModelIndex at = m.index(r, c);
            const QVariant colour = at.data(Qt::ForegroundRole);
            row += (c ? QStringLiteral("|") : QString()) + at.data().toString();
            if (colour.isValid())
                row += colour.value<QBrush>().color() == QColor(255, 0, 0) ? QStringLiteral("!")
                                                                           : QStringLiteral("?");
        }
        if (m.index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            row += QStringLiteral("+");
        out.append(row);
    }
    return out;
}

} // namespace

TEST(ResultComment, ChosenByTheRateAtEveryEdge)
{
    struct Row {
        int rate;
        int answered;
        int questions;
        int comment; // index into kComments, -1 for none
    };
    // The test engine's rate is cut toward zero, never rounded: 2 of 3 is 66, 179 of 200
    // is 89 and 199 of 200 is 99, not yet perfect.
    const Row rows[] = {
        {0, 3, 10, 0},
        {19, 10, 10, 0},
        {20, 10, 10, 1},
        {40, 10, 10, 2},
        {59, 10, 10, 2},
        {2 * 100 / 3, 3, 3, 3},
        {79, 10, 10, 3},
        {80, 10, 10, 4},
        {179 * 100 / 200, 200, 200, 4},
        {90, 10, 10, 5},
        {199 * 100 / 200, 200, 200, 5},
        {100, 10, 10, 6}, // every question of the range answered
        {100, 7, 10, 7}, // stopped early
        {0, 0, 10, -1}, // nothing answered: the label keeps what it had
        {-1, 10, 10, -1},
        {101, 10, 10, -1},
    };
    for (const Row& r : rows) {
        const std::optional<QString> got = resultComment(r.rate, r.answered, r.questions);
        const std::optional<QString> want
            = r.comment < 0 ? std::nullopt : std::optional<QString>(kComments[r.comment]);
        EXPECT_EQ(got, want) << r.rate << "% of " << r.answered << "/" << r.questions;
    }
}

TEST(FillResultLists, SplitsByJudgementInTestOrderWithColumnsAndRed)
{
    DbListModel correct;
    DbListModel wrong;
    QAbstractItemModelTester correctTester {
        &correct, QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester wrongTester {
        &wrong, QAbstractItemModelTester::FailureReportingMode::Fatal};
    // What the lists held before, as the database: replaced, not added to.
    correct.setEntries({makeDbEntry(QStringLiteral("old::古い"), QStringLiteral("::"), false)});
    wrong.setEntries({makeDbEntry(QStringLiteral("old2::古い2"), QStringLiteral("::"), true)});

    const QList<ListEntry> testList = {
        {QStringLiteral("run::走る::駆ける"), false, true},
        {QStringLiteral("book,本"), true, false}, // the delimiter is "::", not ","
        {QStringLiteral("cat"), true, true},
        {QStringLiteral("dog::犬"), false, false},
        {QStringLiteral("egg::卵"), false, true},
        {QStringLiteral("fig::いちじく"), true, false},
    };
    QSignalSpy correctResets(&correct, &QAbstractItemModel::modelReset);
    QSignalSpy correctInserts(&correct, &QAbstractItemModel::rowsInserted);
    QSignalSpy wrongResets(&wrong, &QAbstractItemModel::modelReset);
    QSignalSpy wrongChanges(&wrong, &QAbstractItemModel::dataChanged);
    FillResultLists(testList, QStringLiteral("::"), correct, wrong);

    // Result entries start without check marks: the test's check meant "correct".
    EXPECT_EQ(shown(correct), (QStringList {"run|走る", "cat!|!", "egg|卵"}));
    EXPECT_EQ(shown(wrong), (QStringList {"book,本!|!", "dog|犬", "fig!|いちじく!"}));
    // Saving reads the full item texts.
    QStringList texts;
    for (const ListEntry& e : correct.entries())
        texts.append(e.text);
    EXPECT_EQ(texts, (QStringList {"run::走る::駆ける", "cat", "egg::卵"}));
    EXPECT_EQ(correctResets.size(), 1);
    EXPECT_EQ(wrongResets.size(), 1);
    EXPECT_EQ(correctInserts.size(), 0);
    EXPECT_EQ(wrongChanges.size(), 0);

    FillResultLists({}, QStringLiteral("::"), correct, wrong);
    EXPECT_EQ(correct.count(), 0);
    EXPECT_EQ(wrong.count(), 0);
}
