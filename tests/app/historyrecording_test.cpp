#include "app/form1.h"
#include "database/dbgamen.h"
#include "history/historyfile.h"
#include "history/historymodel.h"
#include "history/historywindow.h"
#include "support/harness.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class HistoryRecording : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("words.txt");
        writeBytes(path,
            sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("2");
    }
    QList<HistoryEvent> events() { return h.form().history().read().events; }

    Form1Harness h;
    QString path;
};

} // namespace

// Start to pause is one study session: its running minutes and the items shown; a resumed
// study is the next one. Twice.
TEST_F(HistoryRecording, EachStudySessionAddsOneLine)
{
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1 + 2000 * 2); // three items shown
    h.find<QToolButton>("Fteisibtn")->click();
    h.timers.advance(60000); // paused: not counted
    h.find<QToolButton>("Fsaikaibtn")->click();
    h.timers.advance(1 + 2000);
    h.action("mteisi")->trigger();
    const QList<HistoryEvent> e = events();
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[0].kind, HistoryKind::Study);
    EXPECT_EQ(e[0].list, path);
    EXPECT_EQ(e[0].shown, 3);
    EXPECT_NEAR(e[0].minutes, 4001.0 / 60000, 0.005); // kept to the hundredth of a minute
    EXPECT_EQ(e[1].shown, 1);
    EXPECT_LT(e[1].minutes, 0.1);
}

// A save that changes marks adds one line with the list's counts after it; a save that
// changes nothing adds none. Twice.
TEST_F(HistoryRecording, EachSaveThatChangesMarksAddsOneLine)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    auto* save = db->findChild<QToolButton*>("sumihozon");
    save->click(); // nothing moved
    EXPECT_TRUE(events().isEmpty());
    for (int round = 0; round < 2; ++round) {
        db->selectRow(false, 0);
        db->findChild<QToolButton*>("hidariidou")->click();
        save->click();
        const QList<HistoryEvent> e = events();
        ASSERT_EQ(e.size(), round + 1);
        EXPECT_EQ(e.last().kind, HistoryKind::Save);
        EXPECT_EQ(e.last().list, path);
        EXPECT_EQ(e.last().memorized, 2 + round);
        EXPECT_EQ(e.last().notYet, 2 - round);
        EXPECT_EQ(e.last().red, 1);
    }
    // The window shows them for the open list.
    h.action("mrireki")->trigger();
    ASSERT_NE(h.form().historyWindow(), nullptr);
    EXPECT_TRUE(h.form().historyWindow()->isVisible());
    EXPECT_EQ(h.form().historyWindow()->model().rowCount(), 2);
}
