#include "app/problemcontroller.h"
#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
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
        writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\ncat,3\r\n");
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
    };
    for (const auto& [name, command] : commands) {
        SpokenStudy during;
        during.h.speech.whileSpeaking = [&] { command(during.h); };
        during.h.find<QToolButton>("Startbtn")->click();
        during.h.timers.advance(1);

        SpokenStudy after;
        after.h.find<QToolButton>("Startbtn")->click();
        after.h.timers.advance(1);
        command(after.h);

        EXPECT_EQ(during.trace(), after.trace()) << name;
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
