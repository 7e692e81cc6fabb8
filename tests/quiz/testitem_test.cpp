// One item of a test, from its question to the next: what each event does to it, and
// that nothing of it outlives it.
#include "app/studyinput.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "quiz/testrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QTreeView>

using namespace keruna;
using namespace keruna::test;

TEST_F(TestRun, TabAfterAnItemIsTakenLeavesTheManualTestMovingOn)
{
    startTest(TestKind::Manual);
    h.find<QTreeView>("Picklist")->setFocus();
    // Skipped, then Tab in the wait: the next item still follows 1400 ms after the skip.
    press(Qt::Key_Return, Qt::ShiftModifier);
    advance(200);
    press(Qt::Key_Tab);
    advance(1199);
    EXPECT_EQ(label("Label1"), "apple");
    advance(1);
    ASSERT_EQ(label("Label1"), "book");
    // ○ from the GET panel, then Tab and 答えの確認: the same.
    click("listmaru");
    advance(300);
    press(Qt::Key_Tab);
    click("syudouKAKUNIN");
    advance(1099);
    EXPECT_EQ(label("Label1"), "book");
    advance(1);
    ASSERT_EQ(label("Label1"), "dog");
    // And once more with the button itself, Tab twice.
    click("syudouskip");
    press(Qt::Key_Tab);
    advance(700);
    press(Qt::Key_Tab);
    advance(700);
    EXPECT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple-", "book+", "dog-"}));
}

TEST_F(TestRun, TheAnswerButtonAfterAnItemWasTakenChangesNoJudgement)
{
    // Automatic, typed: the answer button after a right answer belongs to nothing, and
    // the next items' right answers still count.
    startTest(TestKind::Automatic, true);
    advance(1);
    type(QStringLiteral("りんご"));
    click("cuttabc");
    click("cuttabc");
    advance(1400);
    ASSERT_EQ(label("Label1"), "book");
    type(QStringLiteral("本"));
    click("cuttabc");
    advance(1400);
    ASSERT_EQ(label("Label1"), "dog");
    type(QStringLiteral("いぬ"));
    EXPECT_EQ(score(), QStringLiteral("○ 3  × 0  正解率 100％"));
    advance(1400);
    ASSERT_FALSE(running());

    // Manual, typed: the same, twice; Tab before the answer makes it wrong.
    h.form().databaseScreen()->close();
    h.platform.messageAnswers.push_back(MessageResult::No);
    startTest(TestKind::Manual, true);
    type(QStringLiteral("りんご"));
    click("cuttabc");
    advance(1400);
    ASSERT_EQ(label("Label1"), "book");
    type(QStringLiteral("本"));
    click("cuttabc");
    advance(700);
    click("cuttabc");
    advance(700);
    ASSERT_EQ(label("Label1"), "dog");
    click("cuttabc");
    EXPECT_EQ(label("Label2"), QStringLiteral("いぬ"));
    type(QStringLiteral("いぬ"));
    advance(1400);
    EXPECT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "book+", "dog-"}));
}

TEST_F(TestRun, EachItemPausesFromItsOwnStart)
{
    // Typing pauses at 0.3 s and the answer is taken while paused, on two items; the
    // third is paused at 0.3 s and resumed: its answer comes 1100 ms later.
    startTest(TestKind::Automatic, true);
    advance(1);
    auto* box = h.find<QLineEdit>("cuttext");
    for (const char* answer : {"りんご", "本"}) {
        advance(300);
        box->setFocus();
        press(Qt::Key_A);
        ASSERT_TRUE(h.action("mteisi")->isChecked());
        type(QString::fromUtf8(answer));
        advance(1400);
    }
    ASSERT_EQ(label("Label1"), "dog");
    advance(300);
    press(Qt::Key_A);
    advance(3000);
    press(Qt::Key_Return);
    ASSERT_FALSE(h.action("mteisi")->isChecked());
    advance(1099);
    EXPECT_EQ(label("Label2"), "");
    advance(1);
    EXPECT_EQ(label("Label2"), QStringLiteral("いぬ"));
    // The phases ran their full length: the right answer now counts wrong.
    type(QStringLiteral("いぬ"));
    EXPECT_EQ(score(), QStringLiteral("○ 2  × 1  正解率 66％"));
}

TEST_F(TestRun, APauseInTheWaitAfterAnAcceptanceKeepsWhatIsLeft)
{
    startTest(TestKind::Automatic);
    advance(1);
    for (const char* next : {"book", "dog"}) {
        advance(900); // late in the question phase
        click("syudouskip");
        advance(500);
        click("testTEISIbtn");
        advance(5000);
        click("testSAIKAIbtn");
        advance(899);
        EXPECT_NE(label("Label1"), next);
        advance(1);
        EXPECT_EQ(label("Label1"), next);
    }
}

TEST_F(TestRun, AnAnswerTakenWhilePausedThenAPauseInItsWaitKeepsWhatIsLeft)
{
    // Typed at 0.3 s (which pauses) and taken while paused; paused again 500 ms into the
    // wait: the next item follows 900 ms after resuming. Twice.
    startTest(TestKind::Automatic, true);
    advance(1);
    auto* box = h.find<QLineEdit>("cuttext");
    for (const char* answer : {"りんご", "本"}) {
        advance(300);
        box->setFocus();
        press(Qt::Key_A);
        advance(2000);
        const QString shown = label("Label1");
        type(QString::fromUtf8(answer));
        advance(500);
        click("testTEISIbtn");
        advance(5000);
        click("testSAIKAIbtn");
        advance(899);
        EXPECT_EQ(label("Label1"), shown);
        advance(1);
        EXPECT_NE(label("Label1"), shown);
    }
    EXPECT_EQ(score(), QStringLiteral("○ 2  × 0  正解率 100％"));
}

TEST_F(TestRun, SkipMovesOnAnItemClaimedWithoutMovingOn)
{
    // ○ with MARUNEXT off records the item and lets the phases run; skip still moves on,
    // 1400 ms later, without recording it again.
    startTest(TestKind::Automatic);
    advance(1);
    for (const char* next : {"book", "dog"}) {
        click("zidouMARU");
        ASSERT_TRUE(h.find<QToolButton>("syudouskip")->isEnabled());
        ASSERT_TRUE(h.find<QToolButton>("listSkipbtn")->isEnabled());
        advance(200);
        click("listSkipbtn");
        EXPECT_FALSE(h.find<QToolButton>("listSkipbtn")->isEnabled());
        advance(1399);
        EXPECT_NE(label("Label1"), next);
        advance(1);
        EXPECT_EQ(label("Label1"), next);
    }
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "book+"}));
}

TEST_F(TestRun, TheAnswerFetchedWithTabShowsForASecond)
{
    for (const TestKind kind : {TestKind::Manual, TestKind::Automatic}) {
        if (h.form().databaseScreen())
            h.form().databaseScreen()->close();
        if (h.form().state().testResultsHeld)
            h.platform.messageAnswers.push_back(MessageResult::No);
        startTest(kind);
        advance(1);
        for (int i = 0; i < 2; ++i) {
            click("cuttabc");
            EXPECT_EQ(label("Label2"), QStringLiteral("りんご")) << int(kind);
            advance(999);
            EXPECT_EQ(label("Label2"), QStringLiteral("りんご")) << int(kind);
            advance(1);
            EXPECT_EQ(label("Label2"), "") << int(kind);
        }
        // The manual item waits for the user's word; the automatic one's time ran out.
        if (kind == TestKind::Manual) {
            click("syudouKAKUNIN");
            click("syudouMARU"); // the user's own ○ stands
        }
        click("syuuryoubtn");
        EXPECT_EQ(score(),
            kind == TestKind::Manual ? QStringLiteral("○ 1  × 0  正解率 100％")
                                     : QStringLiteral("○ 0  × 1  正解率 0％"));
    }
    // The number test's number, fetched, goes with its second too.
    h.platform.messageAnswers.push_back(MessageResult::No);
    startTest(TestKind::Number, true);
    advance(1);
    ASSERT_FALSE(h.speech.spoken.isEmpty());
    const QString number = h.speech.spoken.last();
    click("cuttabc");
    EXPECT_EQ(label("Label1"), number);
    advance(1000);
    EXPECT_EQ(label("Label1"), "");
    click("syuuryoubtn");
}

// With time lag on, a test's question comes after the lag, as in study.
TEST_F(TestRun, TimeLagHoldsATestsQuestionBackAsItDoesInStudy)
{
    h.action("mTimelag")->setChecked(true);
    startTest(TestKind::Automatic);
    advance(1);
    EXPECT_EQ(label("Label1"), "");
    advance(999);
    EXPECT_EQ(label("Label1"), "");
    advance(1);
    EXPECT_EQ(label("Label1"), "apple");
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
}

// A skip shows the answer for 1.4 s at every speed, the slowest included.
TEST_F(TestRun, TheWaitAfterASkipIsTheSameAtEverySpeed)
{
    for (const char* seconds : {"2", "70", "600"}) {
        SCOPED_TRACE(seconds);
        if (h.form().state().testResultsHeld)
            h.platform.messageAnswers.push_back(MessageResult::No);
        choice.seconds = QString::fromLatin1(seconds);
        startTest(TestKind::Automatic);
        advance(1);
        click("syudouskip");
        advance(1399);
        EXPECT_EQ(label("Label1"), "apple");
        advance(1);
        EXPECT_EQ(label("Label1"), "book");
        click("syuuryoubtn");
    }
}

TEST_F(TestRun, EndStopsAtOnceEvenWhileAWordIsSpoken)
{
    // A listening test ended while its first word is said.
    choice.listening = true;
    h.speech.utteranceMs = 700;
    bool endedAtOnce = false;
    h.speech.whileSpeaking = [&] {
        click("syuuryoubtn");
        endedAtOnce = !running();
    };
    startTest(TestKind::Automatic);
    advance(1);
    EXPECT_TRUE(endedAtOnce);
    EXPECT_EQ(h.speech.stops, 1); // the word itself is cut short
    advance(5000);
    EXPECT_EQ(label("Label1"), "");
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});

    // The number test, and the repeat button in an automatic test: the same, and study
    // does not start by itself afterwards.
    for (TestKind kind : {TestKind::Number, TestKind::Automatic}) {
        choice.listening = false;
        if (h.form().databaseScreen())
            h.form().databaseScreen()->close();
        h.platform.messageAnswers.push_back(MessageResult::No);
        startTest(kind);
        endedAtOnce = false;
        h.speech.whileSpeaking = [&] {
            click("syuuryoubtn");
            endedAtOnce = !running();
        };
        advance(1);
        if (kind == TestKind::Automatic)
            click("testvoice");
        EXPECT_TRUE(endedAtOnce) << int(kind);
        advance(5000);
        EXPECT_EQ(label("Label1"), "") << int(kind);
        h.speech.whileSpeaking = nullptr;
    }
}

TEST_F(TestRun, TheScoreIsTheListsChecksDuringAndAfterTheTest)
{
    // Two records of the same text: each judgement is an entry of its own.
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\napple,りんご\r\nbook,本\r\n")));
    h.open(path);
    startTest(TestKind::Manual);
    for (const char* judgement : {"syudouMARU", "syudouMARU", "syudouBATU"}) {
        click("syudouKAKUNIN");
        click(judgement);
    }
    ASSERT_FALSE(running());
    EXPECT_EQ(getKeys(), (QStringList {"apple+", "apple+", "book-"}));
    EXPECT_EQ(score(), QStringLiteral("○ 2  × 1  正解率 66％"));
    ASSERT_TRUE(h.form().databaseScreen());
    EXPECT_EQ(h.form().databaseScreen()->model(true).count(), 2);

    // Space on a judged entry turns it over, and the score follows; twice.
    h.form().databaseScreen()->close();
    h.platform.messageAnswers.push_back(MessageResult::No);
    startTest(TestKind::Automatic);
    advance(1);
    click("zidouMARU");
    advance(2000);
    ASSERT_EQ(label("Label1"), "apple");
    auto* list = h.find<QTreeView>("Picklist");
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    press(Qt::Key_Space);
    EXPECT_EQ(score(), QStringLiteral("○ 0  × 1  正解率 0％"));
    press(Qt::Key_Space);
    EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
}

TEST_F(TestRun, EditableBoxesKeepTheirEditingKeysInAGuessedTest)
{
    // The speed box of the automatic test and the bounds of the number test: the keys
    // edit the box and do nothing to the test.
    const struct {
        TestKind kind;
        const char* box;
    } cases[] = {{TestKind::Automatic, "tsec"}, {TestKind::Number, "ketamin"},
        {TestKind::Number, "ketamax"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        if (h.form().databaseScreen())
            h.form().databaseScreen()->close();
        if (h.form().state().testResultsHeld)
            h.platform.messageAnswers.push_back(MessageResult::No);
        choice.lowest = QStringLiteral("10");
        choice.highest = QStringLiteral("20");
        startTest(c.kind);
        advance(1);
        auto* box = h.find<QComboBox>(c.box);
        ASSERT_TRUE(box->isVisible() && box->isEditable());
        const QString before = box->currentText();
        box->setEditText(before + "00");
        box->setFocus();
        box->lineEdit()->end(false);
        for (Qt::Key key :
            {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Delete, Qt::Key_Tab}) {
            box->setFocus();
            press(key);
        }
        EXPECT_EQ(box->currentText(), before);
        EXPECT_FALSE(h.action("mteisi")->isChecked());
        EXPECT_EQ(score(), QStringLiteral("○ 0  × 0  正解率 0％"));
        EXPECT_TRUE(h.form().getList().isEmpty());
        if (c.kind == TestKind::Automatic) {
            EXPECT_EQ(label("Label2"), ""); // no answer fetched by Tab
        }
        // The GET list keeps its keys: Enter there is ○.
        h.find<QTreeView>("Picklist")->setFocus();
        press(Qt::Key_Return);
        EXPECT_EQ(score(), QStringLiteral("○ 1  × 0  正解率 100％"));
        click("syuuryoubtn");
    }
}

TEST_F(TestRun, TheFirstManualItemErasesTheHandwritingToo)
{
    int erased = 0;
    const auto erase = h.form().eraseHandwriting;
    h.form().eraseHandwriting = [&] {
        ++erased;
        if (erase)
            erase();
    };
    startTest(TestKind::Manual);
    EXPECT_EQ(erased, 1);
    click("syudouKAKUNIN");
    click("syudouMARU");
    EXPECT_EQ(erased, 2);
    click("syudouskip");
    advance(1400);
    EXPECT_EQ(erased, 3);
}

TEST_F(TestRun, NumberTestNeverDrawsItsTopAndTakesEqualBoundsMidTest)
{
    choice.lowest = QStringLiteral("5");
    choice.highest = QStringLiteral("6");
    startTest(TestKind::Number, true);
    advance(1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(h.speech.spoken.last(), "5");
        advance(2000);
    }
    auto* lowest = h.find<QComboBox>("ketamin");
    auto* highest = h.find<QComboBox>("ketamax");
    lowest->setEditText("7");
    highest->setEditText("7");
    click("ketabotan");
    EXPECT_TRUE(h.platform.messages.empty());
    EXPECT_EQ(label("testKEKKAlabel_2"), QStringLiteral("計 6     2秒 7-7"));
    advance(2000);
    advance(2000);
    EXPECT_EQ(h.speech.spoken.mid(h.speech.spoken.size() - 2), (QStringList {"7", "7"}));
}

// Which keys in the typing box start typing, on a Japanese and a US keyboard: the digit
// row pauses whatever its character; a key of its own for a symbol does not.
TEST(TypingKeysPause, TheDigitRowByPositionElseShiftedDigitSymbols)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        const char* platform;
        bool pauses;
    } cases[] = {
        {Qt::Key_Apostrophe, Qt::NoModifier, 48, "xcb", false}, // US ' key
        {Qt::Key_QuoteDbl, Qt::ShiftModifier, 48, "xcb", false}, // US Shift+'
        {Qt::Key_Apostrophe, Qt::ShiftModifier, 16, "xcb", true}, // JIS Shift+7
        {Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, "xcb", true}, // JIS Shift+2
        {Qt::Key_Exclam, Qt::ShiftModifier, 10, "wayland", true},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 19, "xcb", true}, // US Shift+0
        {Qt::Key_Apostrophe, Qt::NoModifier, 0x28, "windows", false},
        {Qt::Key_Apostrophe, Qt::ShiftModifier, 8, "windows", true},
        {Qt::Key_Apostrophe, Qt::NoModifier, 39, "cocoa", false},
        {Qt::Key_At, Qt::ShiftModifier, 19, "cocoa", true},
        // Positions unknown: a digit symbol pauses only with Shift.
        {Qt::Key_Apostrophe, Qt::NoModifier, 0, "offscreen", false},
        {Qt::Key_Apostrophe, Qt::ShiftModifier, 0, "offscreen", true},
        {Qt::Key_Asterisk, Qt::ShiftModifier, 0, "xcb", true},
        {Qt::Key_Comma, Qt::NoModifier, 59, "xcb", false},
        {Qt::Key_A, Qt::NoModifier, 38, "xcb", true},
        {Qt::Key_5, Qt::NoModifier, 14, "xcb", true},
        {Qt::Key_5, Qt::NoModifier, 0, "offscreen", true},
        {Qt::Key_Space, Qt::NoModifier, 65, "xcb", true},
    };
    for (const auto& c : cases) {
        const QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(StudyInput::pausesWhileTyping(key, QString::fromLatin1(c.platform)), c.pauses)
            << std::hex << c.key << " " << c.scanCode << " " << c.platform;
    }
}

TEST_F(TestRun, AnApostropheInTheBoxIsTypedWithoutPausing)
{
    startTest(TestKind::Automatic, true);
    advance(1);
    auto* box = h.find<QLineEdit>("cuttext");
    box->setFocus();
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(box, Qt::Key_Apostrophe);
        EXPECT_FALSE(h.action("mteisi")->isChecked());
    }
    EXPECT_EQ(box->text(), "''");
}
