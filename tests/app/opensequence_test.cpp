#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "support/harness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class OpenSequence : public ::testing::Test {
protected:
    void SetUp() override { h.start(); }

    QString list(const QString& name, const QString& text)
    {
        const QString path = h.path(name);
        writeBytes(path, sjis(text));
        return path;
    }
    QComboBox* dakecom() { return h.find<QComboBox>("dakecom"); }
    // The user picks an entry of the range box (the pick, not just the change).
    void chooseRange(int index)
    {
        dakecom()->setCurrentIndex(index);
        emit dakecom()->activated(index);
    }
    QStringList checkedRanges()
    {
        QStringList out;
        for (const char* n : {"mbatudake", "mmarudake", "makadake", "mzenbu", "mdbatudake",
                 "mdmarudake", "mdakadake", "mdzenbu"})
            if (h.action(QString::fromLatin1(n))->isChecked())
                out.append(QString::fromLatin1(n));
        return out;
    }

    Form1Harness h;
    // 3 not yet (one red), 2 memorized.
    const QString mixed = QStringLiteral(
        "apple,りんご\r\n\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,犬,,○\r\negg,卵\r\n");
};

} // namespace

TEST_F(OpenSequence, OpensAShiftJisListIntoTheNotYetRange)
{
    const QString path = list("word.txt", mixed);
    h.open(path);
    ASSERT_EQ(h.platform.openRequests.size(), 1u);
    const OpenFileRequest& request = h.platform.openRequests[0];
    EXPECT_EQ(request.title, QStringLiteral("問題データを開いてください"));
    EXPECT_EQ(request.filter, QStringLiteral("すべてのファイル(*.*)"));
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(request.initialFile.isEmpty());

    EXPECT_TRUE(h.platform.messages.empty());
    EXPECT_EQ(h.form().windowTitle(), QStringLiteral("ケルナ　 word.txt 【未】 未3 覚2 (要1)   "));
    EXPECT_EQ(h.form().problemSet().totalCount, 5);
    EXPECT_EQ(h.form().rangeState().rangeCount, 3);
    EXPECT_EQ(dakecom()->currentIndex(), 0);
    EXPECT_EQ(checkedRanges(), (QStringList {"mbatudake", "mdbatudake"}));
    EXPECT_EQ(h.form().problems().fileFolder(), h.folder());
    // Idle pictures go, item actions wait for an item.
    EXPECT_FALSE(h.find<QLabel>("Image1_0")->isVisible());
    EXPECT_FALSE(h.find<QToolButton>("listmaru")->isEnabled());
    EXPECT_FALSE(h.find<QLineEdit>("cuttext")->isEnabled());

    // The dialog remembers the last chosen name.
    h.find<QToolButton>("Openbtn")->click();
    EXPECT_EQ(h.platform.openRequests.back().initialFile, path);
}

TEST_F(OpenSequence, EverythingMemorizedOpensInTheWholeRange)
{
    h.open(list("done.txt", QStringLiteral("a,1,,○\r\nb,2,赤○\r\n")));
    EXPECT_EQ(h.form().windowTitle(),
        QStringLiteral("ケルナ　 done.txt 【全】 未0 覚2 (要1)   全て完了しました"));
    EXPECT_EQ(dakecom()->currentIndex(), 3);
    EXPECT_EQ(checkedRanges(), (QStringList {"mzenbu", "mdzenbu"}));
}

TEST_F(OpenSequence, RefusedFilesLeaveTheLoadedListAlone)
{
    const QString good = list("word.txt", mixed);
    h.open(good);
    const QString title = h.form().windowTitle();

    struct Bad {
        QString path;
        int number;
    };
    const QString empty = h.path("empty.txt");
    writeBytes(empty, "\r\n\r\n");
    QByteArray many;
    for (int i = 0; i < 20001; ++i)
        many += "w,x\r\n";
    const QString tooMany = h.path("many.txt");
    writeBytes(tooMany, many);
    for (const Bad& bad :
        {Bad {empty, 1}, Bad {tooMany, 9}, Bad {h.path("gone.txt"), 53}, Bad {h.folder(), 75}}) {
        h.platform.messages.clear();
        h.open(bad.path);
        ASSERT_EQ(h.platform.messages.size(), 1u) << bad.path.toStdString();
        const ShownMessage& m = h.platform.messages[0];
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("エラー番号 : %1\r\n").arg(bad.number)))
            << m.text.toStdString();
        EXPECT_GT(m.text.size(), QStringLiteral("エラー番号 : 1\r\n").size());
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(h.form().windowTitle(), title);
        EXPECT_EQ(h.form().problemSet().totalCount, 5);
        EXPECT_EQ(h.form().problemSet().path, good);
        // The dialog's name goes back to the file that is open.
        EXPECT_EQ(h.form().problems().chosenFileName(), good);
    }
}

TEST_F(OpenSequence, CancellingChangesNothingAndSaysNothing)
{
    h.find<QToolButton>("Openbtn")->click(); // no queued answer: cancelled
    EXPECT_EQ(h.platform.openRequests.size(), 1u);
    EXPECT_TRUE(h.platform.messages.empty());
    EXPECT_EQ(h.form().windowTitle(), QStringLiteral("ケルナ"));
    EXPECT_TRUE(h.form().problemSet().path.isEmpty());
}

TEST_F(OpenSequence, MenuAndPopupOpenThroughTheButton)
{
    h.platform.openAnswers.push_back(list("a.txt", QStringLiteral("a,1\r\n")));
    h.action("mopen")->trigger();
    EXPECT_EQ(h.form().problemSet().totalCount, 1);
    h.platform.openAnswers.push_back(list("b.txt", QStringLiteral("a,1\r\nb,2\r\n")));
    h.action("mdopen")->trigger();
    EXPECT_EQ(h.form().problemSet().totalCount, 2);
}

TEST_F(OpenSequence, EmptyRangesAreRefusedAndTheComboGoesBack)
{
    h.open(list("word.txt", QStringLiteral("a,1\r\nb,2,,○\r\n")));
    chooseRange(1); // 【覚】
    EXPECT_EQ(checkedRanges(), (QStringList {"mmarudake", "mdmarudake"}));
    EXPECT_EQ(h.form().windowTitle(), QStringLiteral("ケルナ　 word.txt 【覚】 未1 覚1   "));
    EXPECT_EQ(h.form().rangeState().rangeCount, 1);

    chooseRange(2); // 【要】: no red item
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("要チェックデータがありません。"));
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(dakecom()->currentIndex(), 1);
    EXPECT_EQ(checkedRanges(), (QStringList {"mmarudake", "mdmarudake"}));
    EXPECT_EQ(h.platform.messages.size(), 1u); // setting the combo back did not choose again

    h.action("mdzenbu")->trigger();
    EXPECT_EQ(checkedRanges(), (QStringList {"mzenbu", "mdzenbu"}));
    EXPECT_EQ(dakecom()->currentIndex(), 3);
    EXPECT_EQ(h.form().rangeState().rangeCount, 2);
    EXPECT_EQ(h.form().windowTitle(), QStringLiteral("ケルナ　 word.txt 【全】 未1 覚1   "));

    // Choosing the range in force again selects it again, as its menu item does.
    h.form().getList().append(QStringLiteral("a,1"), QStringLiteral(","), false);
    chooseRange(3);
    EXPECT_EQ(h.form().getList().count(), 0);
}

TEST_F(OpenSequence, EveryRangeMessage)
{
    h.open(list("none.txt", QStringLiteral("a,1,,○\r\n")));
    h.action("mbatudake")->trigger();
    h.open(list("fresh.txt", QStringLiteral("a,1\r\n")));
    h.action("mmarudake")->trigger();
    h.action("makadake")->trigger();
    QStringList texts;
    for (const ShownMessage& m : h.platform.messages)
        texts.append(m.text);
    EXPECT_EQ(texts,
        (QStringList {QStringLiteral("未暗記データがありません。"),
            QStringLiteral("暗記済みデータがありません。"),
            QStringLiteral("要チェックデータがありません。")}));
}

TEST_F(OpenSequence, RightButtonOnTheItemAreaOpensThePopup)
{
    h.form().show();
    QMenu* popup = h.form().menus().popup();
    QTest::mouseClick(h.find<QLabel>("Label1"), Qt::RightButton);
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
    QTest::mouseClick(h.find<QLabel>("Label1"), Qt::LeftButton);
    EXPECT_FALSE(popup->isVisible());
}
