#include "app/form1.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "problemdata/problemcontroller.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

const QString kDatabaseQuestion
    = QStringLiteral("データベース画面での変更が保存されていません。\r\n保存しますか？");
const QString kResultsQuestion
    = QStringLiteral("テスト結果が保存されていません。\r\n保存しますか？");

QByteArray listBytes()
{
    return sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n"));
}
// apple memorized: what the database move below and the test below both save.
QByteArray appleMemorized()
{
    return sjis(QStringLiteral("apple,りんご,,○\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n"));
}

// Public: the route table below drives it from outside.
class Unsaved : public ::testing::Test {
public:
    void SetUp() override
    {
        h.start();
        h.form().show();
        path = h.path("words.txt");
        other = h.path("other.txt");
        writeBytes(path, listBytes());
        writeBytes(other, sjis(QStringLiteral("egg,たまご\r\n")));
        h.open(path);
        choice.kind = TestKind::Automatic;
        choice.seconds = QStringLiteral("2");
        choice.random = false;
        choice.rangeIndex = 0;
        h.form().chooseTestSetup
            = [this](const TestSetupInput&) { return std::optional<TestChoice>(choice); };
    }
    void click(const char* name) { h.find<QToolButton>(name)->click(); }
    // Nothing recorded or queued on the platform; the settings folder stays.
    void forget()
    {
        FakePlatform& p = h.platform;
        p.messages.clear();
        p.openRequests.clear();
        p.saveRequests.clear();
        p.messageAnswers.clear();
        p.openAnswers.clear();
        p.saveAnswers.clear();
        p.newInstanceCount = 0;
        p.endCount = 0;
    }
    // The list as it began, loaded again; whatever the last round left unsaved let go.
    void fresh()
    {
        writeBytes(path, listBytes());
        forget();
        if (h.form().resultsUnsaved() || h.form().databaseEditsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        ASSERT_TRUE(h.form().problems().openGivenFile(path));
        forget();
        h.form().show();
    }
    // apple moved to the memorized list in the database screen.
    void moveApple()
    {
        h.form().openDatabaseScreen();
        DBgamen* db = h.form().databaseScreen();
        db->selectRow(false, 0);
        db->findChild<QToolButton*>("hidariidou")->click();
        ASSERT_EQ(h.form().databaseList(true).count(), 2);
    }
    // An automatic test over 【未】: apple claimed, book and dog pass.
    void runTest()
    {
        click("TESTbtn");
        ASSERT_TRUE(h.form().state().testmode);
        h.timers.advance(1);
        click("zidouMARU");
        h.timers.advance(6000);
        ASSERT_FALSE(h.form().state().testmode);
        ASSERT_TRUE(h.form().resultsUnsaved());
    }
    // The questions about unsaved work asked so far.
    int asked(const QString& question)
    {
        int n = 0;
        for (const ShownMessage& m : h.platform.messages) {
            if (m.text == question) {
                EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
                ++n;
            }
        }
        return n;
    }

    Form1Harness h;
    QString path;
    QString other;
    TestChoice choice;
    bool started = false;
};

// Every way to leave unsaved work behind, each with its own sign that it went ahead.
struct Route {
    const char* name;
    std::function<void(Unsaved&)> go;
    std::function<bool(Unsaved&)> wentAhead;
};

std::vector<Route> routes(bool results)
{
    std::vector<Route> r {
        {"open dialog", [](Unsaved& t) { t.click("Openbtn"); },
            [](Unsaved& t) { return !t.h.platform.openRequests.empty(); }},
        {"command line or drop", [](Unsaved& t) { t.h.form().openFromOutside(t.other); },
            [](Unsaved& t) { return t.h.form().problemSet().path == t.other; }},
        {"reset",
            [](Unsaved& t) {
                t.h.platform.messageAnswers.push_front(MessageResult::Yes); // reset? yes
                t.h.platform.saveAnswers.push_back(std::nullopt); // its own dialog, cancelled
                t.h.action("mondaireset")->trigger();
            },
            [](Unsaved& t) {
                return !t.h.platform.saveRequests.empty()
                    && t.h.platform.saveRequests.back().title == QStringLiteral("名前を付けて保存");
            }},
        {"restart", [](Unsaved& t) { t.h.action("msaikidou")->trigger(); },
            [](Unsaved& t) { return t.h.platform.newInstanceCount > 0; }},
        {"new test",
            [](Unsaved& t) {
                t.click("TESTbtn");
                t.started = t.h.form().state().testmode;
                if (t.started)
                    t.click("syuuryoubtn");
            },
            [](Unsaved& t) { return t.started; }},
        {"quit", [](Unsaved& t) { t.h.form().close(); },
            [](Unsaved& t) { return t.h.platform.endCount > 0; }},
    };
    if (results)
        r.push_back({"start", [](Unsaved& t) { t.click("Startbtn"); },
            [](Unsaved& t) { return !t.h.form().state().testResultsHeld; }});
    else
        r.push_back({"closing the database screen",
            [](Unsaved& t) { t.h.form().databaseScreen()->close(); },
            [](Unsaved& t) { return !t.h.form().databaseScreen()->isVisible(); }});
    return r;
}

} // namespace

// Database moves: Cancel stays with the move unsaved, No goes ahead and lets it go, Yes
// saves it as 保存 would, then goes ahead. Each twice, and the file compared byte for byte.
TEST_F(Unsaved, DatabaseChangesAreAskedAboutOnEveryRouteThatWouldLoseThem)
{
    for (const Route& route : routes(false)) {
        for (const MessageResult answer :
            {MessageResult::Cancel, MessageResult::No, MessageResult::Yes}) {
            for (int round = 0; round < 2; ++round) {
                SCOPED_TRACE(::testing::Message()
                    << route.name << " answer " << int(answer) << " round " << round);
                fresh();
                moveApple();
                h.platform.messageAnswers.push_back(answer);
                route.go(*this);
                EXPECT_EQ(asked(kDatabaseQuestion), 1);
                EXPECT_EQ(
                    readBytes(path), answer == MessageResult::Yes ? appleMemorized() : listBytes());
                EXPECT_EQ(route.wentAhead(*this), answer != MessageResult::Cancel);
                EXPECT_EQ(h.form().databaseEditsUnsaved(), answer == MessageResult::Cancel);
            }
        }
    }
}

TEST_F(Unsaved, ATestsResultsAreAskedAboutOnEveryRouteThatWouldLoseThem)
{
    const QString saved = h.path("results.txt");
    for (const Route& route : routes(true)) {
        for (const MessageResult answer :
            {MessageResult::Cancel, MessageResult::No, MessageResult::Yes}) {
            for (int round = 0; round < 2; ++round) {
                SCOPED_TRACE(::testing::Message()
                    << route.name << " answer " << int(answer) << " round " << round);
                QFile::remove(saved);
                fresh();
                runTest();
                h.platform.messageAnswers.push_back(answer);
                if (answer == MessageResult::Yes)
                    h.platform.saveAnswers.push_back(saved);
                route.go(*this);
                EXPECT_EQ(asked(kResultsQuestion), 1);
                EXPECT_EQ(readBytes(path), listBytes());
                EXPECT_EQ(QFileInfo::exists(saved), answer == MessageResult::Yes);
                if (answer == MessageResult::Yes) {
                    EXPECT_EQ(readBytes(saved), appleMemorized());
                }
                EXPECT_EQ(route.wentAhead(*this), answer != MessageResult::Cancel);
            }
        }
    }
}

// Nothing changed, nothing asked: a database screen looked at, a move made and undone,
// results already saved.
TEST_F(Unsaved, NothingIsAskedWhenNothingWouldBeLost)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    db->selectRow(false, 0);
    db->findChild<QToolButton*>("hidariidou")->click();
    db->selectRow(true, 1);
    db->findChild<QToolButton*>("migiidou")->click();
    db->close();
    EXPECT_FALSE(db->isVisible());
    runTest();
    h.platform.saveAnswers.push_back(h.path("results.txt"));
    db->findChild<QToolButton*>("sumihozon")->click();
    ASSERT_EQ(readBytes(h.path("results.txt")), appleMemorized());
    h.form().close();
    EXPECT_EQ(h.platform.endCount, 1);
    EXPECT_TRUE(h.platform.messages.empty()) << h.platform.messages[0].text.toStdString();
}

// Results edited after their save are unsaved again; results the user let go with いいえ
// are gone, and nothing asks about them a second time.
TEST_F(Unsaved, ResultsEditedAfterTheirSaveAreAskedAboutAndResultsLetGoAreNot)
{
    runTest();
    DBgamen* db = h.form().databaseScreen();
    h.platform.saveAnswers.push_back(h.path("results.txt"));
    db->findChild<QToolButton*>("sumihozon")->click();
    db->selectRow(false, 0);
    db->findChild<QToolButton*>("hidariidou")->click();
    h.platform.messageAnswers.push_back(MessageResult::Cancel);
    h.form().close();
    EXPECT_EQ(asked(kResultsQuestion), 1);
    EXPECT_EQ(h.platform.endCount, 0);

    h.platform.messageAnswers.push_back(MessageResult::No);
    click("Startbtn"); // let go: study starts
    ASSERT_FALSE(h.form().state().testResultsHeld);
    EXPECT_EQ(asked(kResultsQuestion), 2);
    h.form().close();
    EXPECT_EQ(asked(kResultsQuestion), 2);
    EXPECT_EQ(h.platform.endCount, 1);
}

// A GET save asked about unsaved database moves: はい saves them, and the GET save still
// marks what the GET list holds.
TEST_F(Unsaved, AGetSaveAfterSavingTheDatabaseMovesStillMarksItsList)
{
    moveApple();
    click("Startbtn");
    h.timers.advance(1 + 2000); // apple, then book
    click("listmaru"); // book
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    h.form().SaveGetList();
    EXPECT_EQ(asked(kDatabaseQuestion), 1);
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("apple,りんご,,○\r\nbook,本,赤○\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
}

TEST_F(Unsaved, TwinsTradingListsAreAChangeSavedLineByLine)
{
    writeBytes(other, sjis(QStringLiteral("t,1\r\nt,1,,○\r\n")));
    ASSERT_TRUE(h.form().problems().openGivenFile(other));
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    db->selectRow(false, 0);
    db->findChild<QToolButton*>("hidariidou")->click();
    db->selectRow(true, 0);
    db->findChild<QToolButton*>("migiidou")->click();
    EXPECT_TRUE(h.form().databaseEditsUnsaved());
    h.platform.messageAnswers.push_back(MessageResult::Yes);
    db->close();
    EXPECT_EQ(asked(kDatabaseQuestion), 1);
    EXPECT_EQ(readBytes(other), sjis(QStringLiteral("t,1,,○\r\nt,1\r\n")));
}

// A reset while a test's results are held releases them with the user's consent; the
// results saved afterwards are results, never a reset's unmarked lines. Both orders, twice.
TEST_F(Unsaved, AResetAndAResultSaveEachDoWhatTheySayInEitherOrder)
{
    const QString resetFile = h.path("reset.txt");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        // Result save first, then the reset.
        fresh();
        runTest();
        h.platform.saveAnswers.push_back(h.path("results.txt"));
        h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
        EXPECT_EQ(readBytes(h.path("results.txt")), appleMemorized());
        h.platform.saveAnswers.push_back(resetFile);
        h.action("mondaireset")->trigger();
        EXPECT_EQ(readBytes(resetFile),
            sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\ndog,いぬ\r\n")));
        EXPECT_FALSE(h.form().state().testResultsHeld);

        // The reset asked for first: the unsaved results are asked about, saved on Yes,
        // and the reset follows on the list as it then is.
        fresh();
        runTest();
        h.platform.messageAnswers = {MessageResult::Yes, MessageResult::Yes};
        h.platform.saveAnswers = {h.path("results2.txt"), resetFile};
        h.action("mondaireset")->trigger();
        EXPECT_EQ(readBytes(h.path("results2.txt")), appleMemorized());
        EXPECT_FALSE(h.form().state().testResultsHeld);
        // During a test the reset is refused outright.
        fresh();
        click("TESTbtn");
        const QByteArray before = readBytes(path);
        h.form().ResetProblemData(); // its menu item is locked, but not every route is
        ASSERT_FALSE(h.platform.messages.empty());
        EXPECT_EQ(h.platform.messages.back().text,
            QStringLiteral("テスト中は問題データをリセットできません。テストを終了してから実行して"
                           "ください。"));
        click("syuuryoubtn");
        EXPECT_EQ(readBytes(path), before);
    }
}
