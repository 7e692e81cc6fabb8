#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "quiz/testengine.h"
#include "quiz/testrun.h"
#include "review/reviewlog.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

TEST_F(TestRun, AutomaticTestClaimedUnclaimedAndSkippedThenResults)
{
    h.find<QCheckBox>("Revch")->setChecked(false);
    h.find<QRadioButton>("Rndop_0")->setChecked(true);
    startTest(TestKind::Automatic);
    EXPECT_FALSE(h.find<QToolButton>("Startbtn")->isEnabled());
    EXPECT_FALSE(h.find<QToolButton>("TESTbtn")->isEnabled());
    EXPECT_EQ(score(), QStringLiteral("○ 0  × 0  正解率 0％"));
    advance(1);
    EXPECT_EQ(label("Label1"), "apple");
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 0/3     2秒 残り0分"));
    // ○ while the question shows: correct at once; MARUNEXT is off, so the phases run on.
    advance(300);
    click("zidouMARU");
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
    advance(699);
    EXPECT_EQ(label("Label2"), "");
    advance(1);
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    advance(1000);
    EXPECT_EQ(label("Label1"), "book");
    EXPECT_EQ(getKeys(), (QStringList {"apple+"})); // recorded once, not again by the tick
    // Nobody claims book: wrong on the tick after its answer phase.
    advance(2000);
    EXPECT_EQ(label("Label1"), "dog");
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 1  正解率 50％"));
    // Skip: wrong, the answer shows, and the end follows 1400 ms later.
    click("syudouskip");
    EXPECT_EQ(label("Label2"), QStringLiteral("いぬ"));
    EXPECT_TRUE(running());
    advance(1400);
    EXPECT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "book-", "dog-"}));
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 2  正解率 33％"));
    EXPECT_EQ(
        label("testSIZIlabel"), QStringLiteral("お疲れ様、テスト終了です。STARTで再開できるよ。"));
    // The study options the dialog changed come back; no mark changed in the file.
    EXPECT_TRUE(h.find<QRadioButton>("Rndop_0")->isChecked());
    EXPECT_TRUE(h.find<QToolButton>("Startbtn")->isEnabled());
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
    EXPECT_EQ(h.form().state().saveRequest.TestStartRange,
        (std::array<bool, kRangeCount> {true, false, false, false}));

    // The result view opened with the lists, the score and the comment.
    DBgamen* db = h.form().databaseScreen();
    ASSERT_TRUE(db && db->isVisible());
    EXPECT_EQ(db->model(true).count(), 1);
    EXPECT_EQ(db->model(false).count(), 2);
    EXPECT_TRUE(db->model(false).entry(0).red);
    EXPECT_EQ(db->findChild<QLabel*>("Lcoment")->text(),
        QStringLiteral("覚えにくい問題を集中的にやっていこうね。"));
    EXPECT_EQ(db->findChild<QLabel*>("Lrange")->text(), QStringLiteral("未暗記テスト結果 3問"));
    EXPECT_EQ(db->windowTitle(), QStringLiteral("以下の内容でよろしければ保存してください"));
}

TEST_F(TestRun, AutomaticTypedAnswersCountOnlyWhileTheQuestionShows)
{
    startTest(TestKind::Automatic, true);
    advance(1);
    EXPECT_TRUE(h.find<QCheckBox>("typec")->isChecked());
    EXPECT_EQ(label("testKEKKAlabel_1"), QStringLiteral("止Enter  答Tab  次Shift+Enter"));
    type(QStringLiteral("りんご ")); // a trailing space is not the answer
    type(QStringLiteral("りんご"));
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
    advance(1399);
    EXPECT_EQ(label("Label1"), "apple");
    advance(1);
    EXPECT_EQ(label("Label1"), "book");
    // After its answer appeared a right answer is taken but counts wrong.
    advance(1400);
    EXPECT_EQ(label("Label2"), QStringLiteral("本"));
    type(QStringLiteral("本"));
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 1  正解率 50％"));
    // Tab shows the answer; typing it afterwards counts wrong too.
    advance(1400);
    EXPECT_EQ(label("Label1"), "dog");
    click("cuttabc");
    type(QStringLiteral("いぬ"));
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 2  正解率 33％"));
    advance(1400);
    EXPECT_FALSE(running());
    EXPECT_EQ(h.find<QToolButton>("Startbtn")->isEnabled(), true);
    EXPECT_EQ(SettingsStore::ReadValue("NYUURYOKU", Section::Test, h.settingsPath()), "1");
}

TEST_F(TestRun, ManualTestJudgedByButtonsTimerBarAndTypedAnswers)
{
    h.find<QCheckBox>("iroch")->setChecked(true);
    startTest(TestKind::Manual);
    EXPECT_EQ(label("Label1"), "apple");
    EXPECT_TRUE(h.find<QToolButton>("syudouKAKUNIN")->isEnabled());
    EXPECT_FALSE(h.find<QToolButton>("syudouMARU")->isEnabled());
    click("syudouMARU"); // not yet: the answer has not been checked
    EXPECT_EQ(score(), QStringLiteral("○ 0  × 0  正解率 0％"));
    click("syudouKAKUNIN");
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    // Checked: the bar stops where it stands.
    const QRect bar = h.find<QFrame>("iro")->geometry();
    advance(500);
    EXPECT_EQ(h.find<QFrame>("iro")->geometry(), bar);
    click("syudouMARU");
    EXPECT_EQ(label("Label1"), "book");
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 1/3"));
    // The bar runs over the whole item; at its end the answer shows, nothing is judged.
    advance(1990);
    EXPECT_EQ(label("Label2"), "");
    advance(30);
    EXPECT_EQ(label("Label2"), QStringLiteral("本"));
    EXPECT_FALSE(h.find<QToolButton>("syudouKAKUNIN")->isEnabled());
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
    click("syudouBATU");
    EXPECT_EQ(label("Label1"), "dog");
    click("syudouskip");
    EXPECT_TRUE(running());
    advance(1400);
    EXPECT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "book-", "dog-"}));

    // Typed: right before the check counts, right after it does not; each item gets a
    // usable box again.
    h.form().databaseScreen()->close();
    h.platform.messageAnswers.push_back(MessageResult::No); // the last results are let go
    startTest(TestKind::Manual, true);
    type(QStringLiteral("りんご"));
    advance(1400);
    EXPECT_EQ(label("Label1"), "book");
    EXPECT_EQ(QApplication::focusWidget(), h.find<QLineEdit>("cuttext")); // typing goes on
    click("syudouKAKUNIN");
    type(QStringLiteral("本"));
    advance(1400);
    EXPECT_EQ(label("Label1"), "dog");
    type(QStringLiteral("いぬ"));
    advance(1400);
    EXPECT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "book-", "dog+"}));
}

// While a test runs nothing may change its list or its range: the file menu, the tools,
// the database screen and the pop-up's own commands are off in every kind, and come back
// after. The test's 逆転 is its own: study afterwards is as it was.
TEST_F(TestRun, ATestLocksWhatWouldChangeItsListAndLeavesStudyAsItWas)
{
    h.form().menus().popup(); // its twins exist from here on
    h.find<QCheckBox>("Revch")->setChecked(false);
    choice.reverse = true;
    for (TestKind kind : {TestKind::Automatic, TestKind::Manual, TestKind::Automatic}) {
        SCOPED_TRACE(int(kind));
        if (h.form().resultsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        startTest(kind);
        advance(1);
        ASSERT_TRUE(running());
        for (const char* name :
            {"mfile", "mhensyuu", "mDB", "mondaireset", "mdopen", "mdstart", "mdtest", "mdDB"})
            EXPECT_FALSE(h.action(name)->isEnabled()) << name;
        // The manual test has no pause: its items wait for the user.
        EXPECT_EQ(h.action("mdteisi")->isEnabled(), kind != TestKind::Manual);
        EXPECT_FALSE(h.find<QCheckBox>("rev")->isHidden());
        EXPECT_EQ(label("Label1"), QStringLiteral("りんご")); // the test is reversed
        click("syuuryoubtn");
        EXPECT_TRUE(h.action("mfile")->isEnabled());
        EXPECT_TRUE(h.action("mhensyuu")->isEnabled());
        EXPECT_FALSE(h.find<QCheckBox>("Revch")->isChecked());
        EXPECT_TRUE(h.find<QToolButton>("pickend")->isHidden());
    }
    // The results let go, study shows the list the right way round, with no GET test's
    // end button.
    h.platform.messageAnswers.push_back(MessageResult::No);
    click("Startbtn");
    advance(1);
    EXPECT_TRUE(QStringList({"apple", "book", "dog"}).contains(label("Label1")))
        << label("Label1").toStdString();
    EXPECT_TRUE(h.find<QToolButton>("pickend")->isHidden());
}

TEST_F(TestRun, PauseKeepsWhatIsLeftOfThePhaseAndEndingEarlyIsPerfect)
{
    startTest(TestKind::Automatic);
    advance(1);
    advance(300);
    click("testTEISIbtn");
    advance(10000);
    EXPECT_EQ(label("Label2"), "");
    click("testSAIKAIbtn");
    advance(699);
    EXPECT_EQ(label("Label2"), "");
    advance(1);
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    click("zidouMARU");
    click("syuuryoubtn");
    EXPECT_FALSE(running());
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
    EXPECT_EQ(h.form().databaseScreen()->findChild<QLabel*>("Lcoment")->text(),
        QStringLiteral("パーフェクト、完璧です !! "));
    // Ended: no timer goes on to show anything.
    advance(5000);
    EXPECT_EQ(label("Label1"), "");
}

TEST_F(TestRun, NumberTestDrawsWithinItsBoundsAndCountsTypedNumbers)
{
    choice.lowest = QStringLiteral("5");
    choice.highest = QStringLiteral("9");
    startTest(TestKind::Number, true);
    advance(1);
    QStringList heard;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(h.speech.spoken.size(), i + 1);
        const QString number = h.speech.spoken.last();
        heard.append(number);
        EXPECT_EQ(label("Label1"), ""); // heard, not shown, until its phase has passed
        if (i < 3) {
            type(QStringLiteral("0") + number); // a leading zero is not the number
            type(number);
            EXPECT_EQ(label("Label1"), number);
            advance(1400);
        } else {
            advance(1400);
            EXPECT_EQ(label("Label1"), number);
            advance(600);
        }
    }
    click("syuuryoubtn");
    EXPECT_EQ(score(), QStringLiteral("○ 3  × 2  正解率 60％"));
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 5     2秒 5-9"));
    QStringList expected;
    for (int i = 0; i < 5; ++i) {
        const int n = heard[i].toInt();
        EXPECT_TRUE(n >= 5 && n < 9) << n;
        expected.append(heard[i] + (i < 3 ? "+" : "-"));
    }
    EXPECT_EQ(getKeys(), expected); // the same number may be drawn twice: each is listed
    // No result lists after a number test, and nothing for the review log.
    EXPECT_TRUE(!h.form().databaseScreen() || !h.form().databaseScreen()->isVisible());
    EXPECT_TRUE(h.form().reviews().read().records.isEmpty());
}

TEST_F(TestRun, KeysOfEachModeDriveTheTest)
{
    auto* list = h.find<QTreeView>("Picklist");

    // Manual, guessing: Enter checks, Enter again is ○; BackSpace before the check turns
    // the last judgement over, after it is ×.
    startTest(TestKind::Manual);
    EXPECT_EQ(label("testKEKKAlabel_1"),
        QStringLiteral("CHECK,○はEnter  ×,レはBS  答Tab  次Shift+Enter"));
    list->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    press(Qt::Key_Return);
    EXPECT_EQ(label("Label1"), "book");
    press(Qt::Key_Backspace);
    EXPECT_EQ(score(), QStringLiteral("○ 0  × 1  正解率 0％"));
    press(Qt::Key_Return);
    press(Qt::Key_Backspace);
    EXPECT_EQ(label("Label1"), "dog");
    EXPECT_EQ(getKeys(), (QStringList {"apple-", "book-"}));
    press(Qt::Key_Return, Qt::ShiftModifier); // skip: wrong, and the end 1400 ms later
    advance(1400);
    EXPECT_FALSE(running());
    // Results are held: the keys leave them alone until Start, Open or the next test.
    press(Qt::Key_Backspace);
    EXPECT_EQ(getKeys(), (QStringList {"apple-", "book-", "dog-"}));

    // Automatic, guessing: Enter is ○, Delete pauses and resumes, Shift+Enter skips.
    h.form().databaseScreen()->close();
    h.platform.messageAnswers.push_back(MessageResult::No);
    startTest(TestKind::Automatic);
    advance(1);
    list->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
    press(Qt::Key_Delete);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    advance(5000);
    EXPECT_EQ(label("Label1"), "apple");
    press(Qt::Key_Delete);
    EXPECT_FALSE(h.action("mteisi")->isChecked());
    advance(2000);
    EXPECT_EQ(label("Label1"), "book");
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 1  正解率 50％"));
    // Without the GET panel Shift+Enter does nothing.
    advance(1400);
    h.find<QWidget>("Pickframe")->hide();
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 1  正解率 50％"));
    click("syuuryoubtn");

    // Automatic, typing: the first letter pauses, Enter in the box resumes.
    h.form().databaseScreen()->close();
    h.platform.messageAnswers.push_back(MessageResult::No);
    startTest(TestKind::Automatic, true);
    advance(1);
    auto* box = h.find<QLineEdit>("cuttext");
    box->setFocus();
    press(Qt::Key_A);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    EXPECT_EQ(box->text(), "a");
    press(Qt::Key_Return);
    EXPECT_FALSE(h.action("mteisi")->isChecked());
    press(Qt::Key_Tab);
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    EXPECT_EQ(box->text(), ""); // the Tab character never goes in
}

TEST_F(TestRun, OpenOrStartInTheMiddleOfATestEndsItCleanly)
{
    startTest(TestKind::Automatic);
    advance(1);
    click("zidouMARU");
    // A list opened while the test runs (the open sequence is reachable from the strip
    // and other windows): the test and its results go, nothing is saved.
    const QString other = h.path("other.txt");
    writeBytes(other, sjis(QStringLiteral("x,エックス\r\n")));
    h.platform.openAnswers.push_back(other);
    h.form().problems().OpenProblemFile();
    EXPECT_FALSE(running());
    EXPECT_FALSE(h.form().state().testResultsHeld);
    EXPECT_TRUE(h.form().getList().isEmpty());
    EXPECT_TRUE(h.find<QToolButton>("Startbtn")->isEnabled());
    advance(5000);
    EXPECT_EQ(label("Label1"), "");
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));

    // Start after a finished test releases its results and studies again.
    h.open(path);
    startTest(TestKind::Automatic);
    // 逆転 on the options bar turns the test's items round from the next one.
    h.find<QCheckBox>("Revch")->setChecked(true);
    EXPECT_TRUE(h.find<QCheckBox>("rev")->isChecked());
    click("syuuryoubtn");
    EXPECT_TRUE(h.form().state().testResultsHeld);
    // The GET list holds the test's judgements: its save and remove stay out of reach.
    EXPECT_TRUE(h.find<QToolButton>("listhozon")->isHidden());
    h.form().SaveGetList();
    EXPECT_TRUE(h.platform.saveRequests.empty());
    click("Startbtn");
    EXPECT_FALSE(h.form().state().testResultsHeld);
    EXPECT_TRUE(h.find<QWidget>("testFrame")->isHidden());
    EXPECT_FALSE(h.find<QToolButton>("listhozon")->isHidden());
    advance(1);
    EXPECT_FALSE(label("Label1").isEmpty());
    // Typing study after the test: a letter pauses and Enter resumes, as before any test.
    h.find<QCheckBox>("typec")->setChecked(true);
    advance(2000);
    auto* box = h.find<QLineEdit>("cuttext");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(h.action("mteisi")->isChecked());
}

TEST_F(TestRun, SpeedAndBoundsBoxesRefuseBadValuesAndKeepTheirOwn)
{
    choice.lowest = QStringLiteral("0");
    choice.highest = QStringLiteral("10");
    startTest(TestKind::Number);
    auto* lowest = h.find<QComboBox>("ketamin");
    auto* highest = h.find<QComboBox>("ketamax");
    struct Case {
        QString low, high;
        QString message; // empty: taken
    } cases[] = {
        {"1", "1000000", {}},
        {"-1", "10", QStringLiteral("0～1000000の範囲以外は指定できません。")},
        {"0", "1000001", QStringLiteral("0～1000000の範囲以外は指定できません。")},
        {QStringLiteral("１"), "10", QStringLiteral("エラー番号 ： 1\r\n数値が不正です｡")},
        {"", "10", QStringLiteral("エラー番号 ： 1\r\n数値が不正です｡")},
        {"11", "10", QStringLiteral("下限値が上限値を超えています。")},
    };
    for (const Case& c : cases) {
        h.platform.messages.clear();
        lowest->setEditText(c.low);
        highest->setEditText(c.high);
        click("ketabotan");
        if (c.message.isEmpty()) {
            EXPECT_TRUE(h.platform.messages.empty()) << c.low.toStdString();
            continue;
        }
        ASSERT_EQ(h.platform.messages.size(), 1u) << c.low.toStdString();
        EXPECT_EQ(h.platform.messages[0].text, c.message);
    }
    // The last good bounds stay in force.
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 0     2秒 1-1000000"));
    h.platform.messages.clear();
    h.find<QComboBox>("tsec")->setEditText("600.5");
    click("tsecbtn");
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(
        h.platform.messages[0].text, QStringLiteral("0.01秒～600秒の範囲以外は指定できません。"));
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 0     2秒 1-1000000"));
}

TEST_F(TestRun, ResultsMovedAndSavedLandInTheFileAsTheListsSay)
{
    // The real set-up dialog, answered as a user would.
    h.form().chooseTestSetup = realDialog;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->findChild<QRadioButton*>("zidoutestop")->click();
        dialog->findChild<QRadioButton*>("Rndop_1")->click();
        dialog->findChild<QRadioButton*>("Madaop")->click();
        dialog->findChild<QComboBox*>("Seccom")->setEditText("2");
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    click("TESTbtn");
    ASSERT_TRUE(running());
    advance(1);
    click("zidouMARU"); // apple
    advance(4000); // book passes unclaimed
    EXPECT_EQ(label("Label1"), "dog");
    click("zidouMARU");
    advance(2000);
    ASSERT_FALSE(running());

    DBgamen* db = h.form().databaseScreen();
    ASSERT_TRUE(db && db->isVisible());
    EXPECT_EQ(db->findChild<QLabel*>("sumikazu")->text(), QStringLiteral("正解リスト 2"));
    // dog goes to the wrong list, apple gets the needs-check mark.
    db->selectRow(true, 1);
    db->findChild<QToolButton*>("migiidou")->click();
    db->selectRow(true, 0);
    db->ToggleRedSelected(true);
    EXPECT_EQ(db->findChild<QLabel*>("madakazu")->text(), QStringLiteral("間違いリスト 2"));

    auto* save = db->findChild<QToolButton*>("sumihozon");
    ASSERT_TRUE(save->isVisible());
    const QByteArray expected
        = sjis(QStringLiteral("apple,りんご,赤○\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n"));
    // Saved twice in a row, each into a file of its own: the same bytes both times.
    for (const char* name : {"saved.txt", "again.txt"}) {
        h.platform.saveAnswers.push_back(h.path(name));
        save->click();
        EXPECT_EQ(readBytes(h.path(name)), expected) << name;
        // The saved list is the one loaded now; the results and their score follow the
        // lists as saved.
        EXPECT_TRUE(h.form().windowTitle().contains(QString::fromLatin1(name)));
        EXPECT_TRUE(h.form().windowTitle().contains(QStringLiteral(" 未2 覚2 (要2)")));
        EXPECT_TRUE(h.form().state().testResultsHeld);
        EXPECT_EQ(score(), QStringLiteral("○ 1  × 2  正解率 33％"));
        EXPECT_EQ(db->findChild<QLabel*>("Lcoment")->text(),
            QStringLiteral("覚えにくい問題を集中的にやっていこうね。"));
    }
    EXPECT_EQ(h.platform.saveRequests.back().title,
        QStringLiteral("【保存説明】正解データを上書きします。"));
    // The user's own file was never touched.
    EXPECT_EQ(readBytes(path),
        sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
}

TEST_F(TestRun, AResultSaveGivesEachLineTheJudgementOfTheItemMadeFromIt)
{
    // Twins (lines with the same item text) judged differently; a twin outside the range
    // tested keeps its bytes. Manual tests in file order, saved over the loaded list.
    struct Row {
        const char* lines;
        int range;
        const char* judged; // o right, x wrong, in test order
        const char* expected; // nullptr: the file as it was
    };
    const Row rows[] = {
        {"cat,ねこ|cat,ねこ,,○", 3, "xo", nullptr},
        {"cat,ねこ,赤○|cat,ねこ", 0, "x", nullptr},
        {"cat,ねこ,赤○|cat,ねこ|cat,ねこ", 0, "xo", "cat,ねこ,赤○|cat,ねこ|cat,ねこ,,○"},
        {"cat,ねこ,,○|cat,ねこ|cat,ねこ,赤○", 1, "xo", "cat,ねこ|cat,ねこ|cat,ねこ,赤○"},
        {"dog,いぬ,赤×|dog,いぬ,赤○", 2, "xo", nullptr},
    };
    h.form().chooseSaveMethod = [] { return std::optional<bool>(true); }; // 上書き
    const auto bytes = [](const char* lines) {
        return sjis(QString::fromUtf8(lines).replace(u'|', QStringLiteral("\r\n")) + "\r\n");
    };
    for (const Row& row : rows) {
        const QString list = h.path("twins.txt");
        writeBytes(list, bytes(row.lines));
        h.open(list);
        choice.rangeIndex = row.range;
        startTest(TestKind::Manual);
        for (const char* j = row.judged; *j; ++j) {
            click("syudouKAKUNIN");
            click(*j == 'o' ? "syudouMARU" : "syudouBATU");
        }
        advance(1400);
        ASSERT_FALSE(running()) << row.lines;
        h.platform.saveAnswers.push_back(list);
        h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
        EXPECT_EQ(readBytes(list), bytes(row.expected ? row.expected : row.lines))
            << row.lines << " / " << row.range;
    }

    // In random order each judged entry still knows the line its item came from.
    writeBytes(path, bytes("a,1|b,2|a,1|c,3,,○|d,4|e,5"));
    h.open(path);
    choice.random = true;
    choice.rangeIndex = 3;
    startTest(TestKind::Manual);
    for (int i = 0; i < 6; ++i)
        click("syudouKAKUNIN"), click("syudouBATU");
    advance(1400);
    ASSERT_FALSE(running());
    const QStringList loaded = h.form().problemSet().rawLines();
    ASSERT_EQ(h.form().getList().count(), 6);
    for (const GetEntry& e : h.form().getList().shadow()) {
        ASSERT_TRUE(e.line >= 0 && e.line < loaded.size()) << e.key.toStdString();
        EXPECT_EQ(itemKey(loaded[e.line]), e.key);
    }
}

TEST_F(TestRun, AListChangedBehindATestIsNeverSavedEmpty)
{
    // The test's end reloads the list. Renamed away by another program: the reload fails,
    // says so, and the loaded list stays whole for the result save.
    const QByteArray before = readBytes(path);
    h.form().chooseSaveMethod = [] { return std::optional<bool>(true); }; // 上書き
    const auto testAllWrong = [this] {
        startTest(TestKind::Manual);
        for (int i = 0; i < 3; ++i)
            click("syudouKAKUNIN"), click("syudouBATU");
        advance(1400);
        ASSERT_FALSE(running());
    };
    ASSERT_TRUE(QFile::rename(path, h.path("moved.txt")));
    h.platform.messages.clear();
    testAllWrong();
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(h.form().problemSet().rawLines().size(), 4);
    h.platform.saveAnswers.push_back(path);
    h.platform.messageAnswers.push_back(MessageResult::Yes); // save over the changed file
    h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
    EXPECT_EQ(readBytes(path), before);

    // Emptied by another program: the reload holds no items, and no save writes that over
    // the learner's lists.
    writeBytes(path, "");
    testAllWrong();
    h.platform.messages.clear();
    const QString copy = h.path("copy.txt");
    h.platform.saveAnswers.push_back(copy);
    h.form().databaseScreen()->findChild<QToolButton*>("sumihozon")->click();
    EXPECT_FALSE(QFile::exists(copy));
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_TRUE(h.platform.messages[0].text.contains("copy.txt"));
}

TEST_F(TestRun, ListeningTestSpeaksTheQuestionAndTimesThePhaseFromTheEndOfSpeech)
{
    choice.listening = true;
    h.speech.utteranceMs = 700; // a slow voice
    startTest(TestKind::Automatic);
    advance(1);
    EXPECT_EQ(h.speech.spoken, (QStringList {"apple"}));
    EXPECT_EQ(label("Label1"), ""); // heard, not read
    EXPECT_TRUE(h.find<QCheckBox>("Spkch")->isChecked());
    // The question phase starts when the word has been said.
    advance(999);
    EXPECT_EQ(label("Label2"), "");
    advance(1);
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    click("zidouMARU");
    click("syuuryoubtn");
    EXPECT_FALSE(h.find<QCheckBox>("Spkch")->isChecked()); // the study setting comes back
}
