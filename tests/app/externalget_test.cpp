#include "app/form1.h"
#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "getlist/pickgamen.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class ExternalGet : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("2");
    }
    Pickgamen* outside() { return h.form().externalScreen(); }
    template <class T> T* out(const char* name)
    {
        return outside()->findChild<T*>(QString::fromLatin1(name));
    }
    QString label(const char* name) { return h.find<QLabel>(name)->text(); }
    // The test set-up answers: an automatic test over 【未】 in file order, 2 s an item.
    void automaticTestsOverNotYet()
    {
        h.form().chooseTestSetup = [](const TestSetupInput&) {
            TestChoice c;
            c.seconds = "2";
            c.random = false;
            c.rangeIndex = 0;
            return std::optional<TestChoice>(c);
        };
    }

    Form1Harness h;
};

} // namespace

TEST_F(ExternalGet, OutAndInTwiceDuringStudyWithOneListSeenFromBothPlaces)
{
    h.find<QToolButton>("Startbtn")->click(); // the list comes inside at the first start
    h.timers.advance(1);
    ASSERT_FALSE(h.find<QWidget>("Pickframe")->isHidden());
    h.find<QToolButton>("listmaru")->click();
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("gaibubtn")->click();
        ASSERT_TRUE(h.form().externalShown());
        EXPECT_TRUE(h.find<QWidget>("Pickframe")->isHidden());
        EXPECT_EQ(outside()->windowTitle(), QStringLiteral("表示中の単語を暗記済にできます"));
        QTreeView* list = outside()->list();
        EXPECT_EQ(list->model(), h.find<QTreeView>("Picklist")->model());
        // The next item, taken from the external screen; checked there, checked inside.
        h.timers.advance(2000);
        ASSERT_TRUE(out<QToolButton>("listmaru")->isEnabled());
        out<QToolButton>("listmaru")->click();
        QApplication::processEvents(); // the new entry is selected on both screens
        EXPECT_EQ(outside()->list()->currentIndex().row(), round + 1);
        EXPECT_EQ(h.form().getList().count(), round + 2);
        EXPECT_EQ(out<QLabel>("listkazu")->text(), QString::number(round + 2));
        list->model()->setData(list->model()->index(0, 0), Qt::Checked, Qt::CheckStateRole);
        EXPECT_TRUE(h.form().getList().isChecked(0));
        list->setCurrentIndex(list->model()->index(1, 0));
        EXPECT_EQ(h.form().getList().selectedIndex(), 1); // the popup's entry is the one seen
        out<QToolButton>("naibubtn")->click();
        EXPECT_FALSE(h.form().externalShown());
        EXPECT_FALSE(h.find<QWidget>("Pickframe")->isHidden());
        EXPECT_EQ(h.form().getList().selectedIndex(), 1); // the selection comes along
        h.form().getList().setChecked(0, false);
        // Taken out again with the main screen's GET button, which also brings it back.
        h.find<QToolButton>("Pickbtn")->click();
        EXPECT_TRUE(h.form().externalShown());
        h.find<QToolButton>("Pickbtn")->click();
        EXPECT_FALSE(h.form().externalShown());
    }
    // The first row selected goes out and comes back selected.
    h.form().getList().select(0);
    h.find<QToolButton>("gaibubtn")->click();
    EXPECT_EQ(outside()->list()->currentIndex().row(), 0);
    out<QToolButton>("naibubtn")->click();
    EXPECT_EQ(h.form().getList().selectedIndex(), 0);
    // Closed with its close box: the list stays whole and the GET button shows it again.
    h.find<QToolButton>("gaibubtn")->click();
    outside()->close();
    EXPECT_FALSE(h.form().externalShown());
    EXPECT_EQ(h.form().getList().count(), 3);
    h.find<QToolButton>("Pickbtn")->click();
    EXPECT_EQ(outside()->list()->model()->rowCount(), 3);
}

TEST_F(ExternalGet, ATestRunsFromTheExternalScreen)
{
    automaticTestsOverNotYet();
    h.find<QToolButton>("gaibubtn")->click();
    h.find<QToolButton>("TESTbtn")->click();
    h.timers.advance(1);
    // The test's buttons are those of the automatic test, there as here.
    EXPECT_FALSE(out<QToolButton>("zidouMARU")->isHidden());
    EXPECT_TRUE(out<QToolButton>("syudouKAKUNIN")->isHidden());
    EXPECT_TRUE(out<QToolButton>("listhozon")->isHidden());
    EXPECT_EQ(out<QComboBox>("tsec")->currentText(), "2"); // the dialog's speed
    out<QToolButton>("zidouMARU")->click();
    EXPECT_EQ(out<QLabel>("Picktestlabel")->text(), QStringLiteral("○ 1  × 0  正解率 100％"));
    EXPECT_FALSE(out<QLabel>("Picktestlabel")->isHidden());
    // In and out again in the middle of the test: it goes on, and inside the panel shows
    // the judgements without its check-all.
    out<QToolButton>("naibubtn")->click();
    EXPECT_TRUE(h.find<QWidget>("nPickzencheck")->isHidden());
    EXPECT_TRUE(h.find<QWidget>("nPickzencheckhazusi")->isHidden());
    h.find<QToolButton>("Pickbtn")->click();
    h.timers.advance(2000);
    EXPECT_EQ(label("Label1"), "book");
    out<QToolButton>("syuuryoubtn")->click();
    EXPECT_FALSE(h.form().state().testmode);
    EXPECT_FALSE(out<QWidget>("Frame1_15")->isHidden()); // テスト結果を見る, there too
    EXPECT_EQ(out<QLabel>("Picktestlabel")->text(), QStringLiteral("○ 1  × 0  正解率 100％"));
}

// A list moved out by the stick screen, or by hand, shows one list during a test: the
// external screen's.
TEST_F(ExternalGet, ATestShowsTheListOnlyWhereItIs)
{
    automaticTestsOverNotYet();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    for (const char* route : {"stick", "gaibubtn", "stick"}) {
        SCOPED_TRACE(route);
        if (QLatin1String(route) == QLatin1String("stick")) {
            h.action("mbou")->trigger(); // the stick screen moves the list out...
            h.action("mbou")->trigger(); // ...and leaves it there when it closes
        } else {
            h.find<QToolButton>("gaibubtn")->click();
        }
        ASSERT_TRUE(h.form().externalShown());
        if (h.form().resultsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        h.find<QToolButton>("TESTbtn")->click();
        h.timers.advance(1);
        ASSERT_TRUE(h.form().state().testmode);
        EXPECT_TRUE(h.form().externalShown());
        EXPECT_TRUE(h.find<QWidget>("Pickframe")->isHidden());
        out<QToolButton>("syuuryoubtn")->click();
        EXPECT_TRUE(h.find<QWidget>("Pickframe")->isHidden());
        out<QToolButton>("naibubtn")->click();
        EXPECT_FALSE(h.find<QWidget>("Pickframe")->isHidden());
    }
}

TEST_F(ExternalGet, AGetTestStartsAndEndsOnTheExternalScreen)
{
    // The first Start brings the list inside (内部GET); then it goes out.
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("gaibubtn")->click();
    out<QToolButton>("Picktest")->click();
    EXPECT_EQ(label("Label1"), "Ready?");
    EXPECT_TRUE(out<QToolButton>("Picktest")->isHidden());
    EXPECT_FALSE(out<QToolButton>("pickend")->isHidden());
    h.timers.advance(1000); // the running presentation takes up the first shuffled item
    out<QToolButton>("listmaru")->click();
    out<QToolButton>("pickend")->click();
    EXPECT_FALSE(h.form().getTest().running());
    EXPECT_EQ(out<QLabel>("Picktestlabel")->text(), QStringLiteral("○1　×2　正解率33％"));
    EXPECT_FALSE(out<QToolButton>("Picktest")->isHidden());
    EXPECT_EQ(outside()->list()->model()->rowCount(), 1); // the item got stays

    // A second GET test in a row, every item got: each entry is red as its own record is.
    h.form().getList().clear();
    out<QToolButton>("Picktest")->click();
    h.find<QToolButton>("Startbtn")->click();
    for (int i = 0; i < 3; ++i) {
        h.timers.advance(i == 0 ? 1 : 2000);
        if (i == 0) {
            EXPECT_EQ(out<QLabel>("Picktestlabel")->text(), QStringLiteral("テスト中"));
        }
        out<QToolButton>("listmaru")->click();
    }
    h.timers.advance(2000);
    EXPECT_EQ(out<QLabel>("Picktestlabel")->text(), QStringLiteral("○3　×0　正解率100％"));
    const GetList& got = h.form().getList();
    ASSERT_EQ(got.count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(got.isRed(i), got.shadow()[size_t(i)].key.startsWith("book")) << i;
}

TEST_F(ExternalGet, KeysOnTheExternalScreenAreTheGetPanels)
{
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("gaibubtn")->click();
    QApplication::setActiveWindow(outside());
    outside()->list()->setFocus();
    QTest::keyClick(outside()->list(), Qt::Key_Return);
    EXPECT_EQ(h.form().getList().count(), 1);
    QTest::keyClick(outside()->list(), Qt::Key_Delete);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    // Paused: resume shows in place of pause.
    EXPECT_TRUE(out<QWidget>("listteisi")->isHidden());
    EXPECT_FALSE(out<QWidget>("listsaikai")->isHidden());
}

TEST(ExternalGetPlacement, RightOfTheMainWindowAndKeptOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(400, 300);
    // Three quarters across and a quarter down the main window.
    EXPECT_EQ(pickgamenPosition(QRect(100, 100, 800, 600), size, screen), QPoint(700, 250));
    // Near the right edge: flush with it.
    EXPECT_EQ(pickgamenPosition(QRect(1500, 100, 800, 600), size, screen).x(), 1520);
    // Past the bottom: lifted by its height and 550 twips more.
    EXPECT_EQ(pickgamenPosition(QRect(100, 900, 800, 600), size, screen).y(), 1080 - 300 - 37);
    EXPECT_EQ(pickgamenPosition(QRect(-900, -500, 800, 600), size, screen), QPoint(0, 0));
}

// The main window at the right edge of the screen, during a typed manual test (the widest
// set of controls): the external screen ends flush with the edge, its way back in reach,
// and keeps the size the user gave it; twice.
TEST_F(ExternalGet, AtTheRightEdgeItEndsFlushWithTheScreenAndKeepsItsSize)
{
    h.platform.screen = QRect(0, 0, 1280, 1024);
    h.form().chooseTestSetup = [](const TestSetupInput&) {
        TestChoice c;
        c.kind = TestKind::Manual;
        c.typedInput = true;
        c.seconds = "2";
        c.rangeIndex = 0;
        return std::optional<TestChoice>(c);
    };
    h.find<QToolButton>("TESTbtn")->click();
    h.timers.advance(1);
    h.form().move(1280 - h.form().frameGeometry().width(), 100);
    QSize chosen;
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("gaibubtn")->click();
        QApplication::processEvents();
        const QRect outer = outside()->frameGeometry();
        EXPECT_EQ(outer.right(), 1279) << round;
        EXPECT_GE(outer.left(), 0) << round;
        auto* back = out<QToolButton>("naibubtn");
        EXPECT_EQ(back->text(), QStringLiteral("内部画面"));
        EXPECT_EQ(back->toolTip(), QStringLiteral("内部画面"));
        EXPECT_GE(back->mapTo(outside(), QPoint(back->width(), 0)).x(), 0);
        EXPECT_LE(back->mapTo(outside(), QPoint(back->width(), 0)).x(), outside()->width());
        if (round == 0) {
            chosen = outside()->size() + QSize(40, 90); // the user makes it larger
            outside()->resize(chosen);
        } else {
            EXPECT_EQ(outside()->size(), chosen);
        }
        back->click();
        ASSERT_FALSE(h.form().externalShown());
    }
}

// The two columns share the list's width, inside and outside, at any width: a question
// as long as this one shows whole beside its answer; twice each way.
TEST_F(ExternalGet, TheColumnsTakeTheWholeWidthOfEitherList)
{
    const QString question = QStringLiteral("international cooperation for development");
    writeBytes(h.path("long.txt"), sjis(question + QStringLiteral(",開発のための国際協力\r\n")));
    h.open(h.path("long.txt"));
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("listmaru")->click();
    auto fits = [&](QTreeView* view, const char* where) {
        QApplication::processEvents();
        const QRect q = view->visualRect(view->model()->index(0, 0));
        const QRect a = view->visualRect(view->model()->index(0, 1));
        EXPECT_EQ(q.width() + a.width(), view->viewport()->width()) << where;
        EXPECT_GE(q.width(), view->fontMetrics().horizontalAdvance(question) + 24) << where;
    };
    for (int round = 0; round < 2; ++round) {
        h.form().resize(kForm1DesignSize + QSize(round * 200, 0));
        fits(h.find<QTreeView>("Picklist"), "inside");
        h.find<QToolButton>("gaibubtn")->click();
        outside()->resize(520 + round * 100, 360);
        fits(outside()->list(), "outside");
        out<QToolButton>("naibubtn")->click();
    }
}

// Results that are not a test's are never offered: during study the external screen hides
// テスト結果を見る as the main screen does, and pressing it by name opens no result view and
// saves nothing. Also in the focus screen; each twice.
TEST_F(ExternalGet, TheResultButtonOutsideIsNeitherShownNorActiveDuringStudy)
{
    const QString path = h.form().problemSet().path;
    const QByteArray before = readBytes(path);
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("listmaru")->click();
    for (const bool focus : {false, true, false}) {
        if (focus)
            h.find<QToolButton>("Focusbtn")->click();
        if (!h.form().externalShown())
            h.find<QToolButton>("gaibubtn")->click();
        ASSERT_TRUE(h.form().externalShown());
        h.timers.advance(2000);
        auto* results = out<QPushButton>("TestListbtn");
        EXPECT_FALSE(results->isVisibleTo(outside())) << "focus " << focus;
        results->click();
        h.form().ShowTestResults();
        EXPECT_TRUE(!h.form().databaseScreen() || !h.form().databaseScreen()->isVisible());
        EXPECT_FALSE(h.form().SaveDatabaseLists());
        if (focus)
            h.find<QToolButton>("FocusBackbtn")->click();
    }
    EXPECT_EQ(h.form().getList().count(), 1);
    EXPECT_EQ(readBytes(path), before);
}

// While a test's results are held, the external screen offers no GET commands, however
// often it is taken out.
TEST_F(ExternalGet, TheCommandBarStaysHiddenWhileATestsResultsAreHeld)
{
    h.form().chooseTestSetup = [](const TestSetupInput&) {
        TestChoice c;
        c.seconds = "2";
        c.rangeIndex = 0;
        return std::optional<TestChoice>(c);
    };
    h.find<QToolButton>("TESTbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("zidouMARU")->click();
    h.find<QToolButton>("syuuryoubtn")->click();
    ASSERT_TRUE(h.form().state().testResultsHeld);
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("gaibubtn")->click();
        ASSERT_TRUE(h.form().externalShown());
        EXPECT_TRUE(out<QWidget>("Pickbtnpic")->isHidden()) << round;
        h.timers.advance(2000);
        EXPECT_TRUE(out<QWidget>("Pickbtnpic")->isHidden()) << round;
        out<QToolButton>("naibubtn")->click();
    }
}

// BackSpace on the GET list (inside, and on the external screen), and the remove button,
// with the last entry selected: the entry now last is selected on both screens, twice in
// a row, and nothing once the list is empty.
TEST_F(ExternalGet, RemovingTheLastEntrySelectsTheEntryNowLast)
{
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    GetList& list = h.form().getList();
    auto fill = [&list] {
        for (const char* key : {"a,1", "b,2", "c,3", "d,4"})
            list.append(QString::fromLatin1(key), ",", false);
    };
    auto current = [](QTreeView* view) {
        return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    };
    QTreeView* inside = h.find<QTreeView>("Picklist");
    fill();
    inside->setCurrentIndex(inside->model()->index(3, 0));
    for (int left = 3; left >= 0; --left) {
        SCOPED_TRACE(left);
        inside->setFocus();
        QTest::keyClick(inside, Qt::Key_Backspace);
        QApplication::processEvents();
        ASSERT_EQ(list.count(), left);
        EXPECT_EQ(list.selectedIndex(), left - 1);
        EXPECT_EQ(current(inside), left - 1);
    }

    h.find<QToolButton>("gaibubtn")->click();
    ASSERT_TRUE(h.form().externalShown());
    QTreeView* outList = outside()->list();
    QApplication::setActiveWindow(outside());
    fill();
    outList->setCurrentIndex(outList->model()->index(3, 0));
    for (int left = 3; left >= 0; --left) {
        SCOPED_TRACE(left);
        if (left % 2) {
            outList->setFocus();
            QTest::keyClick(outList, Qt::Key_Backspace);
        } else {
            out<QToolButton>("listmodosi")->click();
        }
        QApplication::processEvents();
        ASSERT_EQ(list.count(), left);
        EXPECT_EQ(list.selectedIndex(), left - 1);
        EXPECT_EQ(current(outList), left - 1);
        EXPECT_EQ(out<QLabel>("listkazu")->text(), QString::number(left));
    }
}
