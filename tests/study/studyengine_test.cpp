#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "study/typedspeed.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class StudyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        const QString path = h.path("words.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true); // ascending
        seconds("3");
    }
    void seconds(const char* value) { h.find<QComboBox>("Seccom")->setCurrentText(value); }
    void start() { h.find<QToolButton>("Startbtn")->click(); }
    void advance(qint64 ms) { h.timers.advance(ms); }
    QString label1() { return h.find<QLabel>("Label1")->text(); }
    QString label2() { return h.find<QLabel>("Label2")->text(); }
    StudySession& session() { return h.form().study().session(); }

    Form1Harness h;
};

} // namespace

TEST_F(StudyTest, QuestionThenAnswerEachForItsShareOfThePeriod)
{
    start();
    advance(1);
    EXPECT_EQ(label1(), "apple");
    EXPECT_EQ(label2(), "");
    // The GET list came inside at the first start: the number shows on its panel.
    EXPECT_EQ(h.find<QLabel>("pNolabel")->text(), QStringLiteral("No. 1 / 3"));
    EXPECT_EQ(h.find<QLabel>("NoLabel")->text(), "");
    h.find<QToolButton>("listclose")->click();
    h.form().study().ItemNumberText();
    EXPECT_EQ(h.find<QLabel>("NoLabel")->text(), QStringLiteral("No. 1 / 3"));
    advance(1499);
    EXPECT_EQ(label2(), "");
    advance(1);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
    advance(1499);
    EXPECT_EQ(label1(), "apple");
    advance(1);
    EXPECT_EQ(label1(), "book");
    EXPECT_EQ(label2(), "");
}

TEST_F(StudyTest, AscendingOrderWrapsAndNo1StartsOver)
{
    start();
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        advance(i == 0 ? 1 : 3000);
        seen.append(label1());
    }
    EXPECT_EQ(seen, (QStringList {"apple", "book", "cat", "apple", "book"}));
    h.action("mdone")->trigger();
    advance(3000);
    EXPECT_EQ(label1(), "apple");
}

TEST_F(StudyTest, PauseKeepsTheRemainingTimeOfThePhase)
{
    seconds("6"); // 3000 ms phases
    start();
    advance(1); // question shown, 3000 ms to the answer
    advance(1000);
    h.find<QToolButton>("Fteisibtn")->click();
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    EXPECT_TRUE(h.find<QToolButton>("Fsaikaibtn")->isEnabled());
    EXPECT_FALSE(h.find<QToolButton>("Fteisibtn")->isEnabled());
    advance(10000);
    EXPECT_EQ(label2(), "");
    h.action("mdteisi")->trigger(); // resume
    EXPECT_FALSE(h.action("mteisi")->isChecked());
    advance(1999);
    EXPECT_EQ(label2(), "");
    advance(1);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
}

TEST_F(StudyTest, TimeLagAndSimultaneousDisplay)
{
    h.action("mTimelag")->setChecked(true);
    start();
    advance(1);
    EXPECT_EQ(label1(), "");
    EXPECT_EQ(label2(), "");
    advance(1500);
    EXPECT_EQ(label1(), "apple");
    EXPECT_EQ(label2(), QStringLiteral("りんご"));

    h.action("mTimelag")->setChecked(false);
    h.find<QCheckBox>("Douzich")->setChecked(true);
    advance(1500);
    EXPECT_EQ(label1(), "book");
    EXPECT_EQ(label2(), QStringLiteral("本"));
}

TEST_F(StudyTest, RandomOrderWithOneItemAlwaysShowsIt)
{
    const QString path = h.path("one.txt");
    writeBytes(path, "only,one\r\n");
    h.open(path);
    h.find<QRadioButton>("Rndop_0")->setChecked(true);
    start();
    advance(1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(label1(), "only");
        EXPECT_EQ(session().n, 1);
        advance(3000);
    }
}

TEST_F(StudyTest, ReverseAndMeaningLimitApplyFromTheNextItem)
{
    const QString path = h.path("m.txt");
    writeBytes(path, sjis(QStringLiteral("apple,りんご、林檎\r\nplain\r\n")));
    h.open(path);
    h.find<QRadioButton>("Rndop_1")->setChecked(true);
    h.find<QCheckBox>("Revch")->setChecked(true);
    h.action("mitigi")->setChecked(true);
    start();
    advance(1);
    EXPECT_EQ(label1(), QStringLiteral("りんご"));
    advance(1500);
    EXPECT_EQ(label2(), "apple");
    EXPECT_EQ(session().item.parts.value(0), "apple");
    advance(1500);
    // A line without the delimiter names itself as item 2.
    EXPECT_EQ(label1(), QStringLiteral("2行目区切り文字エラー"));
    EXPECT_TRUE(h.platform.messages.empty());
}

TEST_F(StudyTest, SpeedMenusSetThePeriodAndTheirChecks)
{
    h.action("mdsec_2")->trigger(); // 3 s
    EXPECT_EQ(h.find<QComboBox>("Seccom")->currentText(), "3");
    EXPECT_TRUE(h.action("msec_2")->isChecked());
    EXPECT_TRUE(h.action("mdsec_2")->isChecked());
    EXPECT_EQ(session().timePerItem, 3000);
    seconds("10");
    EXPECT_EQ(session().timePerItem, 10000);
    EXPECT_FALSE(h.action("msec_2")->isChecked());
    EXPECT_TRUE(h.action("msec_7")->isChecked());
}

TEST(TypedSpeed, RangesAndMessages)
{
    EXPECT_EQ(parseTypedSpeed("0.01").value().seconds, 0.01);
    EXPECT_FALSE(parseTypedSpeed("65").value().perSecond);
    EXPECT_TRUE(parseTypedSpeed("65.5").value().perSecond);
    EXPECT_TRUE(parseTypedSpeed("600").value().perSecond);
    for (const char* bad : {"600.5", "0.005", "0"})
        EXPECT_EQ(typedSpeedMessage(parseTypedSpeed(bad).error()),
            QStringLiteral("0.01秒～600秒の範囲以外は指定できません。"))
            << bad;
    EXPECT_EQ(typedSpeedMessage(parseTypedSpeed("abc").error()),
        QStringLiteral("エラー番号 ： 1\r\n数値が不正です｡"));
}

TEST_F(StudyTest, GetItemsAreSkippedAndAllOfThemPauseTheEngine)
{
    start();
    advance(1);
    EXPECT_EQ(label1(), "apple");
    h.find<QToolButton>("listmaru")->click();
    EXPECT_TRUE(h.form().getList().contains(QStringLiteral("apple,りんご")));
    EXPECT_FALSE(h.find<QToolButton>("listmaru")->isEnabled());
    h.find<QToolButton>("listmaru")->click(); // already taken: nothing more
    EXPECT_EQ(h.form().getList().count(), 1);
    advance(3000);
    EXPECT_EQ(label1(), "book");
    h.find<QToolButton>("listmaru")->click();
    advance(3000);
    EXPECT_EQ(label1(), "cat");
    h.find<QToolButton>("listmaru")->click();
    advance(3000);
    // Every item taken: the last one stays on screen and the engine waits, paused.
    EXPECT_EQ(label1(), "cat");
    EXPECT_EQ(session().n, 0);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    EXPECT_FALSE(h.form().study().timer().isEnabled());
}

// An item taken with ○ is red in the GET list as its own record is, in every range.
TEST(StudyEngine, GetEntriesAreRedAsTheirRecordsInEveryRange)
{
    const struct {
        const char* range;
        QStringList expected; // each entry and whether it is red
    } cases[] = {
        {"mbatudake", {"a 0", "b 1"}},
        {"mmarudake", {"c 0", "d 1"}},
        {"makadake", {"b 1", "d 1"}},
        {"mzenbu", {"a 0", "b 1", "c 0", "d 1"}},
    };
    for (const auto& c : cases) {
        Form1Harness h;
        h.start();
        const QString path = h.path("red.txt");
        writeBytes(path, sjis(QStringLiteral("a,1\r\nb,2,赤×\r\nc,3,,○\r\nd,4,赤○\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.action(QString::fromLatin1(c.range))->trigger();
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
        for (int i = 0; i < c.expected.size(); ++i) {
            h.find<QToolButton>("listmaru")->click();
            h.timers.advance(3000);
        }
        QStringList got;
        const GetList& list = h.form().getList();
        for (int i = 0; i < list.count(); ++i)
            got.append(
                list.shadow()[size_t(i)].key.left(1) + u' ' + QString::number(list.isRed(i)));
        got.sort(); // the order is the range's own
        EXPECT_EQ(got, c.expected) << c.range;
    }
}

TEST(StudyEngine, DuplicateLinesInTheGetListDoNotHangTheEngine)
{
    for (const char* order : {"Rndop_1", "Rndop_0"}) {
        Form1Harness h;
        h.start();
        const QString path = h.path("dup.txt");
        writeBytes(path, "same,x\r\nsame,x\r\n");
        h.open(path);
        h.find<QRadioButton>(QString::fromLatin1(order))->setChecked(true);
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
        h.find<QToolButton>("listmaru")->click();
        EXPECT_EQ(h.form().getList().count(), 1);
        h.timers.advance(4000); // one GET entry, two lines: every position is rejected
        EXPECT_TRUE(h.action("mteisi")->isChecked()) << order;
    }
}

TEST_F(StudyTest, SkipShowsTheAnswerAndMovesOnAfterAMoment)
{
    start();
    advance(1);
    h.find<QToolButton>("listSkipbtn")->click();
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
    EXPECT_FALSE(h.find<QToolButton>("listSkipbtn")->isEnabled());
    EXPECT_TRUE(h.form().getList().isEmpty());
    advance(1399);
    EXPECT_EQ(label1(), "apple");
    advance(1);
    EXPECT_EQ(label1(), "book");
}

namespace {

// A harness whose stored options turn typed speeds on.
struct TypedSpeedStudy {
    TypedSpeedStudy()
    {
        SettingsStore::WriteValue("1", "NYSECMODE", "PR", h.settingsPath());
        h.start();
        const QString path = h.path("w.txt");
        writeBytes(path, "one,1\r\ntwo,2\r\n");
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
    }
    void startWith(const char* speed)
    {
        h.find<QComboBox>("nyseccom")->setEditText(QString::fromLatin1(speed));
        h.find<QToolButton>("Startbtn")->click();
    }
    QString label2() { return h.find<QLabel>("Label2")->text(); }
    Form1Harness h;
};

} // namespace

TEST(TypedSpeedStudy, RefusedSpeedsShowTheirMessageAndPause)
{
    TypedSpeedStudy t;
    EXPECT_FALSE(t.h.find<QComboBox>("nyseccom")->isHidden());
    EXPECT_TRUE(t.h.find<QComboBox>("Seccom")->isHidden());
    t.startWith("abc");
    ASSERT_EQ(t.h.platform.messages.size(), 1u);
    EXPECT_EQ(t.h.platform.messages[0].text, QStringLiteral("エラー番号 ： 1\r\n数値が不正です｡"));
    EXPECT_EQ(t.h.platform.messages[0].icon, MessageIcon::Error);
    t.startWith("600.5");
    EXPECT_EQ(
        t.h.platform.messages[1].text, QStringLiteral("0.01秒～600秒の範囲以外は指定できません。"));
    EXPECT_EQ(t.h.platform.messages[1].icon, MessageIcon::Information);
    EXPECT_FALSE(t.h.form().study().timer().isEnabled());
}

TEST(TypedSpeedStudy, LongSpeedsCountOneSecondTicks)
{
    TypedSpeedStudy t;
    t.startWith("66"); // 33 s of question, 33 s of answer with the default share
    t.h.timers.advance(1);
    EXPECT_EQ(t.h.find<QLabel>("Label1")->text(), "one");
    EXPECT_TRUE(t.h.form().study().session().perSecondMode);
    t.h.timers.advance(32999);
    EXPECT_EQ(t.label2(), "");
    t.h.timers.advance(1); // 33 001 ms
    EXPECT_EQ(t.label2(), "1");
    t.h.timers.advance(32999);
    EXPECT_EQ(t.h.find<QLabel>("Label1")->text(), "one");
    t.h.timers.advance(1); // 66 001 ms
    EXPECT_EQ(t.h.find<QLabel>("Label1")->text(), "two");

    TypedSpeedStudy fast;
    fast.startWith("0.01"); // a 10 ms period
    fast.h.timers.advance(1);
    fast.h.timers.advance(5);
    EXPECT_EQ(fast.label2(), "1");
}

TEST_F(StudyTest, TimerBarFillsDuringTheQuestion)
{
    h.form().show();
    h.action("miroch")->trigger();
    EXPECT_TRUE(h.find<QCheckBox>("iroch")->isChecked());
    auto* box = h.find<QFrame>("iroPic");
    auto* bar = h.find<QFrame>("iro");
    EXPECT_TRUE(box->isVisible());
    start();
    h.timers.advance(1);
    EXPECT_TRUE(bar->isVisible());
    h.timers.advance(750);
    EXPECT_NEAR(bar->width(), box->width() / 2, 3);
    h.find<QToolButton>("Fteisibtn")->click();
    const int held = bar->width();
    h.timers.advance(5000);
    EXPECT_EQ(bar->width(), held);
    h.find<QToolButton>("Fsaikaibtn")->click();
    h.timers.advance(760);
    EXPECT_FALSE(bar->isVisible()); // the answer shows: the bar is taken down
    h.action("mdiroch")->trigger();
    EXPECT_FALSE(box->isVisible());
}

TEST(LongTextStudy, QuestionAndAnswerShareTheFirstLabel)
{
    Form1Harness h;
    SettingsStore::WriteValue("1", "LONGS", "PR", h.settingsPath());
    h.start();
    const QString path = h.path("long.txt");
    writeBytes(path, "a long question,a long answer\r\n");
    h.open(path);
    h.find<QComboBox>("Seccom")->setCurrentText("2");
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    EXPECT_EQ(h.find<QLabel>("Label1")->text(), "a long question");
    EXPECT_EQ(h.find<QLabel>("Label1")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    h.timers.advance(1000);
    EXPECT_EQ(
        h.find<QLabel>("Label1")->text(), QStringLiteral("a long question\r\n\r\na long answer"));
    EXPECT_EQ(h.find<QLabel>("Label2")->text(), "");
}

namespace {

// Study of three items with the question spoken for half a second.
struct SpokenStudy {
    SpokenStudy()
    {
        SettingsStore::WriteValue("1", "MARUNEXT", "PR", h.settingsPath());
        h.start();
        // fig is memorized, so that a reset has something to do.
        writeBytes(h.path("w.txt"),
            "apple,1\r\nbook,2\r\ncat,3\r\n" + sjis(QStringLiteral("fig,6,,○\r\n")));
        writeBytes(h.path("other.txt"), "dog,4\r\negg,5\r\n");
        h.open(h.path("w.txt"));
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("3");
        h.find<QCheckBox>("Spkch")->setChecked(true);
        h.action("mOtosaki")->trigger();
        h.speech.utteranceMs = 500;
    }
    // What the user sees every 100 ms for eight seconds.
    QStringList trace()
    {
        QStringList out;
        for (int i = 0; i < 80; ++i) {
            h.timers.advance(100);
            out.append(QStringList {h.find<QLabel>("Label1")->text(),
                h.find<QLabel>("Label2")->text(), QString::number(h.action("mteisi")->isChecked()),
                QString::number(h.form().getList().count())}
                           .join(u'|'));
        }
        return out;
    }
    Form1Harness h;
};

} // namespace

TEST(StudyEngine, CommandsGivenWhileAnItemIsSpokenEndAsWithoutSpeech)
{
    const std::vector<std::pair<const char*, std::function<void(Form1Harness&)>>> commands {
        {"maru", [](Form1Harness& h) { h.find<QToolButton>("listmaru")->click(); }},
        {"pause", [](Form1Harness& h) { h.find<QToolButton>("Fteisibtn")->click(); }},
        {"pause and resume",
            [](Form1Harness& h) {
                h.action("mteisi")->trigger();
                h.action("mteisi")->trigger();
            }},
        {"skip", [](Form1Harness& h) { h.find<QToolButton>("listSkipbtn")->click(); }},
        {"open", [](Form1Harness& h) { h.open(h.path("other.txt")); }},
        // Saves reload the list: never inside the step that shows an item.
        {"GET save",
            [](Form1Harness& h) {
                h.form().getList().append(QStringLiteral("book,2"), ",", false);
                h.find<QToolButton>("listhozon")->click();
            }},
        {"database save",
            [](Form1Harness& h) {
                h.form().openDatabaseScreen();
                DBgamen* db = h.form().databaseScreen();
                db->selectRow(false, 2);
                db->findChild<QToolButton*>("hidariidou")->click();
                db->findChild<QToolButton*>("sumihozon")->click();
            }},
        {"reset",
            [](Form1Harness& h) {
                h.platform.saveAnswers.push_back(h.path("w.txt"));
                h.action("mondaireset")->trigger();
            }},
    };
    for (const auto& [name, command] : commands) {
        SpokenStudy during;
        during.h.speech.whileSpeaking = [&during, &run = command] { run(during.h); };
        during.h.find<QToolButton>("Startbtn")->click();
        during.h.timers.advance(1);

        SpokenStudy after;
        after.h.find<QToolButton>("Startbtn")->click();
        after.h.timers.advance(1);
        command(after.h);

        EXPECT_EQ(during.trace(), after.trace()) << name;
        EXPECT_EQ(readBytes(during.h.path("w.txt")), readBytes(after.h.path("w.txt"))) << name;
    }
}

TEST_F(StudyTest, NothingLeftToShowStopsQuietly)
{
    const QString path = h.path("shrinking.txt");
    writeBytes(path, "a,1\r\n");
    h.open(path);
    h.action("mzenbu")->trigger();
    start();
    advance(1);
    ASSERT_EQ(label1(), "a");
    // The list is emptied behind the program's back and reloaded.
    writeBytes(path, "\r\n");
    ASSERT_TRUE(h.form().problems().ReloadProblemFile());
    h.action("mzenbu")->trigger();
    advance(3000);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    EXPECT_FALSE(h.form().study().timer().isEnabled());
    EXPECT_EQ(label1(), "a");
    advance(10000);
    EXPECT_TRUE(h.platform.messages.empty());
}

namespace {

// Three items studied in ascending order with stored options written before start-up:
// the question share (KANKAKU0 guessing, KANKAKU1 typing) and typed speeds.
struct SharedStudy {
    explicit SharedStudy(int guessIndex, int typingIndex = 6, bool typedSpeeds = false)
    {
        SettingsStore::WriteValue(QString::number(guessIndex), "KANKAKU0", "PR", h.settingsPath());
        SettingsStore::WriteValue(QString::number(typingIndex), "KANKAKU1", "PR", h.settingsPath());
        SettingsStore::WriteValue(typedSpeeds ? "1" : "0", "NYSECMODE", "PR", h.settingsPath());
        h.start();
        writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\ncat,3\r\n");
        h.open(h.path("w.txt"));
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
    }
    void start(const QString& seconds)
    {
        if (h.find<QComboBox>("nyseccom")->isHidden())
            h.find<QComboBox>("Seccom")->setCurrentText(seconds);
        else
            h.find<QComboBox>("nyseccom")->setEditText(seconds);
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
    }
    QString shown()
    {
        return h.find<QLabel>("Label1")->text() + u'|' + h.find<QLabel>("Label2")->text();
    }
    // Runs for ms and says whether what is shown changed only at the very end.
    ::testing::AssertionResult phaseEndsAfter(qint64 ms)
    {
        const QString before = shown();
        h.timers.advance(ms - 1);
        if (shown() != before)
            return ::testing::AssertionFailure()
                << "ended early: " << shown().toStdString() << " before " << ms << " ms";
        h.timers.advance(1);
        if (shown() == before)
            return ::testing::AssertionFailure()
                << "still " << before.toStdString() << " after " << ms << " ms";
        return ::testing::AssertionSuccess();
    }
    Form1Harness h;
};

} // namespace

TEST(StudyShares, EachPhaseLastsItsShareOfThePeriod)
{
    struct Case {
        int guessIndex; // KANKAKU0: list index, the share in tenths is one more
        int typingIndex; // KANKAKU1
        bool typing;
        const char* seconds;
        qint64 questionMs, answerMs;
    };
    const Case cases[] = {
        {2, 6, false, "10", 3000, 7000}, // 3/7
        {4, 6, false, "3", 1500, 1500}, // 5/5
        {7, 6, false, "4", 3200, 800}, // 8/2
        {0, 6, false, "1", 100, 900}, // 1/9
        {8, 6, false, "13", 11700, 1300}, // 9/1
        {7, 2, true, "10", 3000, 7000}, // typing takes KANKAKU1, not KANKAKU0
        {2, 7, true, "5", 4000, 1000},
    };
    for (const Case& c : cases) {
        SharedStudy s(c.guessIndex, c.typingIndex);
        s.h.find<QCheckBox>("typec")->setChecked(c.typing);
        s.start(QString::fromLatin1(c.seconds));
        const std::string name = std::to_string(c.guessIndex) + "/" + std::to_string(c.typingIndex)
            + (c.typing ? " typing " : " ") + c.seconds + " s";
        ASSERT_EQ(s.shown(), "apple|") << name;
        // Two items, so that the second question is timed after a full answer phase.
        EXPECT_TRUE(s.phaseEndsAfter(c.questionMs)) << name;
        EXPECT_EQ(s.shown(), "apple|1") << name;
        EXPECT_TRUE(s.phaseEndsAfter(c.answerMs)) << name;
        EXPECT_EQ(s.shown(), "book|") << name;
        EXPECT_TRUE(s.phaseEndsAfter(c.questionMs)) << name;
        EXPECT_EQ(s.shown(), "book|2") << name;
    }
}

TEST(StudyShares, TypedSpeedsSplitTheirPeriodByTheShareToo)
{
    struct Case {
        int guessIndex;
        const char* seconds;
        qint64 questionMs, answerMs;
    };
    const Case cases[] = {
        {2, "2.5", 750, 1750}, // 3/7 of a typed period
        {2, "70", 21000, 49000}, // per-second mode: 70 ticks of 0.3 s, then of 0.7 s
        {7, "80", 64000, 16000},
        {4, "65", 32500, 32500}, // the longest period outside per-second mode
    };
    for (const Case& c : cases) {
        SharedStudy s(c.guessIndex, 6, true);
        s.start(QString::fromLatin1(c.seconds));
        ASSERT_EQ(s.shown(), "apple|") << c.seconds;
        EXPECT_TRUE(s.phaseEndsAfter(c.questionMs)) << c.seconds;
        EXPECT_EQ(s.shown(), "apple|1") << c.seconds;
        EXPECT_TRUE(s.phaseEndsAfter(c.answerMs)) << c.seconds;
        EXPECT_EQ(s.shown(), "book|") << c.seconds;
        EXPECT_TRUE(s.phaseEndsAfter(c.questionMs)) << c.seconds;
    }
}

TEST(StudyShares, ANewSpeedStartsWithTheNextPhase)
{
    // 3/7 of 10 s, then 2 s chosen 1 s into the question: that question keeps its 3000 ms.
    const std::vector<std::pair<const char*, std::function<void(Form1Harness&)>>> controls {
        {"Seccom", [](Form1Harness& h) { h.find<QComboBox>("Seccom")->setCurrentText("2"); }},
        {"mdsec", [](Form1Harness& h) { h.action("mdsec_1")->trigger(); }},
    };
    for (const auto& [name, choose] : controls) {
        SharedStudy s(2);
        s.start("10");
        s.h.timers.advance(1000);
        choose(s.h);
        EXPECT_TRUE(s.phaseEndsAfter(2000)) << name;
        EXPECT_TRUE(s.phaseEndsAfter(1400)) << name;
        EXPECT_TRUE(s.phaseEndsAfter(600)) << name;
        EXPECT_EQ(s.shown(), "book|2") << name;
    }
}

TEST(StudyShares, PausesAndRepeatsLeaveThePhaseItsRunningTime)
{
    enum class Kind { Pause, PauseAndStart, MenuPause, Repeat, PauseWhileRepeating };
    struct Break {
        qint64 runMs; // running time of the phase before the break
        Kind kind;
        qint64 lengthMs; // how long paused, or how long the repeated word takes
    };
    struct Case {
        const char* name;
        int guessIndex;
        const char* seconds;
        bool inAnswer; // the breaks fall in the answer phase
        std::vector<Break> breaks;
        bool typedSpeed = false;
    };
    const Case cases[] = {
        {"two pauses in a 3/7 question", 2, "10", false,
            {{1000, Kind::Pause, 5000}, {500, Kind::Pause, 2000}}},
        {"three pauses in a 3/7 answer", 2, "10", true,
            {{2000, Kind::Pause, 1000}, {1000, Kind::MenuPause, 1000}, {1000, Kind::Pause, 3000}}},
        {"two repeats in an 8/2 question", 7, "5", false,
            {{1000, Kind::Repeat, 700}, {1000, Kind::Repeat, 700}}},
        {"repeat then pause in a 5/5 question", 4, "6", false,
            {{500, Kind::Repeat, 400}, {500, Kind::Pause, 5000}}},
        {"pause then repeat in a 3/7 answer", 2, "10", true,
            {{1000, Kind::PauseAndStart, 4000}, {1000, Kind::Repeat, 900}}},
        // A pause pressed while the repeated word is heard takes effect when it ends.
        {"pause during a repeat in a 3/7 question", 2, "10", false,
            {{1000, Kind::PauseWhileRepeating, 3000}, {500, Kind::Pause, 1000}}},
        {"pause resumed by Start, twice, in an 8/2 answer", 7, "10", true,
            {{500, Kind::PauseAndStart, 300}, {500, Kind::PauseAndStart, 300}}},
        // Per-second mode: the count of 0.3 s (or 0.2 s) ticks is kept, and the first tick
        // after the resume comes when the interrupted one would have.
        {"pause in a 3/7 question of 70 s", 2, "70", false, {{10100, Kind::Pause, 5000}}, true},
        {"pause in an 8/2 answer of 80 s", 7, "80", true, {{5050, Kind::Pause, 5000}}, true},
    };
    for (const Case& c : cases) {
        SharedStudy s(c.guessIndex, 6, c.typedSpeed);
        const qint64 period = QByteArray(c.seconds).toLongLong() * 1000;
        const qint64 question = period * (c.guessIndex + 1) / 10;
        s.start(QString::fromLatin1(c.seconds));
        if (c.inAnswer)
            s.h.timers.advance(question);
        const QString during = s.shown();
        qint64 left = c.inAnswer ? period - question : question;
        for (const Break& b : c.breaks) {
            s.h.timers.advance(b.runMs);
            left -= b.runMs;
            switch (b.kind) {
            case Kind::Pause:
            case Kind::PauseAndStart:
                s.h.find<QToolButton>("Fteisibtn")->click();
                s.h.timers.advance(b.lengthMs);
                s.h.find<QToolButton>(b.kind == Kind::Pause ? QStringLiteral("Fsaikaibtn")
                                                            : QStringLiteral("Startbtn"))
                    ->click();
                break;
            case Kind::MenuPause:
                s.h.action("mteisi")->trigger();
                s.h.timers.advance(b.lengthMs);
                s.h.action("mdteisi")->trigger();
                break;
            case Kind::PauseWhileRepeating:
                s.h.speech.utteranceMs = 500;
                s.h.speech.whileSpeaking = [&] { s.h.find<QToolButton>("Fteisibtn")->click(); };
                s.h.find<QToolButton>("testvoice")->click();
                EXPECT_TRUE(s.h.action("mteisi")->isChecked()) << c.name;
                s.h.timers.advance(b.lengthMs);
                s.h.find<QToolButton>("Fsaikaibtn")->click();
                s.h.speech.spoken.clear();
                break;
            case Kind::Repeat:
                s.h.speech.utteranceMs = b.lengthMs;
                s.h.find<QToolButton>("testvoice")->click();
                ASSERT_EQ(s.h.speech.spoken.size(), 1) << c.name;
                s.h.speech.spoken.clear();
                break;
            }
            ASSERT_FALSE(s.h.action("mteisi")->isChecked()) << c.name;
            ASSERT_EQ(s.shown(), during) << c.name;
        }
        EXPECT_TRUE(s.phaseEndsAfter(left)) << c.name;
        // The phase after it has its whole share again.
        EXPECT_TRUE(s.phaseEndsAfter(c.inAnswer ? question : period - question)) << c.name;
    }
}

TEST(StudyShares, AfterAResumeTheTimerBarGoesOnOnlyWhileTheQuestionShows)
{
    for (const bool inQuestion : {true, false}) {
        SharedStudy s(2); // 3/7 of 10 s: the bar fills over the 3000 ms of the question
        s.h.form().show();
        s.h.action("miroch")->trigger();
        const int full = s.h.find<QFrame>("iroPic")->width();
        auto* bar = s.h.find<QFrame>("iro");
        s.start("10");
        s.h.timers.advance(inQuestion ? 1500 : 4000);
        ASSERT_EQ(bar->isVisible(), inQuestion);
        if (inQuestion) {
            EXPECT_NEAR(bar->width(), full / 2, 3);
        }
        s.h.find<QToolButton>("Fteisibtn")->click();
        const int held = bar->width();
        s.h.timers.advance(4000);
        EXPECT_EQ(bar->width(), held) << inQuestion;
        s.h.find<QToolButton>("Fsaikaibtn")->click();
        s.h.timers.advance(300);
        EXPECT_EQ(bar->isVisible(), inQuestion);
        // From where it stood, over what is left of the question (1500 ms).
        if (inQuestion) {
            EXPECT_NEAR(bar->width(), held + full * 300 / 1500, 3);
        }
    }
}

TEST(StudyEngine, TheOneLineLeftOutOfTheGetListIsFoundAmongDuplicates)
{
    for (const char* order : {"Rndop_1", "Rndop_0"}) {
        Form1Harness h;
        h.start();
        // Three copies of one line, then the only other: the GET list takes the copies with
        // one entry, so every position but the last is rejected.
        writeBytes(h.path("dup.txt"), "same,x\r\nsame,x\r\nsame,x\r\nother,y\r\n");
        h.open(h.path("dup.txt"));
        h.find<QRadioButton>(QString::fromLatin1(order))->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("2");
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
        for (int i = 0; i < 50 && h.find<QLabel>("Label1")->text() != "same"; ++i)
            h.timers.advance(2000); // random order: wait for a copy to come up
        ASSERT_EQ(h.find<QLabel>("Label1")->text(), "same") << order;
        h.find<QToolButton>("listmaru")->click();
        ASSERT_EQ(h.form().getList().count(), 1);
        for (int i = 0; i < 6; ++i) {
            h.timers.advance(2000);
            EXPECT_EQ(h.find<QLabel>("Label1")->text(), "other") << order << " item " << i;
            EXPECT_EQ(h.form().study().session().n, 4) << order;
            EXPECT_FALSE(h.action("mteisi")->isChecked()) << order;
        }
    }
}

// Study stops only when no item of the range is left: entries from elsewhere in the GET
// list do not count as items taken.
TEST(StudyEngine, AFullGetListStillLeavesTheFreeItems)
{
    for (const char* order : {"Rndop_1", "Rndop_0"}) {
        Form1Harness h;
        h.start();
        writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\n");
        h.open(h.path("w.txt"));
        h.find<QRadioButton>(QString::fromLatin1(order))->setChecked(true);
        h.form().getList().append(QStringLiteral("apple,1"), QStringLiteral(","), false);
        h.form().getList().append(QStringLiteral("zebra,9"), QStringLiteral(","), false);
        h.find<QToolButton>("Startbtn")->click();
        for (int i = 0; i < 3; ++i) {
            h.timers.advance(i == 0 ? 1 : 2000);
            EXPECT_EQ(h.find<QLabel>("Label1")->text(), "book") << order << i;
            EXPECT_FALSE(h.action("mteisi")->isChecked()) << order << i;
        }
    }
}
