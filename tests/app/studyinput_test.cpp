#include "getlist/getlist.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "support/harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

class StudyKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        prepare();
        h.start();
        h.form().show();
        QApplication::setActiveWindow(&h.form());
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
        h.find<QComboBox>("Seccom")->setCurrentText("3");
        h.find<QToolButton>("Startbtn")->click(); // the GET panel comes inside at the first start
        h.timers.advance(1);
    }
    virtual void prepare() { }
    // A key where the user would press it: on the control that has the focus.
    void press(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        focus->setFocus();
        QTest::keyClick(focus, key, modifiers);
    }
    QTreeView* list() { return h.find<QTreeView>("Picklist"); }
    QString label1() { return h.find<QLabel>("Label1")->text(); }
    QString label2() { return h.find<QLabel>("Label2")->text(); }

    Form1Harness h;
};

class TypingKeys : public StudyKeys {
protected:
    void SetUp() override
    {
        StudyKeys::SetUp();
        h.find<QCheckBox>("typec")->setChecked(true);
        box = h.find<QLineEdit>("cuttext");
        // The next item, so that the box is enabled for it.
        h.timers.advance(3000);
        box->setFocus();
    }
    QLineEdit* box = nullptr;
};

} // namespace

TEST_F(StudyKeys, GuessModeKeysDriveTheGetList)
{
    ASSERT_TRUE(h.find<QFrame>("Pickframe")->isVisible());
    EXPECT_EQ(h.find<QLabel>("testKEKKAlabel_1")->text(),
        QStringLiteral("○Enter  削BS  止Del  答Tab  次Shift+Enter"));
    EXPECT_EQ(h.find<QToolButton>("listmodosi")->toolTip(),
        QStringLiteral("リストから外す(チェックでまとめて削除)　※BackSpace"));
    press(list(), Qt::Key_Return);
    EXPECT_TRUE(h.form().getList().contains(QStringLiteral("apple,りんご")));
    press(list(), Qt::Key_Backspace);
    EXPECT_TRUE(h.form().getList().isEmpty());

    press(list(), Qt::Key_Delete);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
    press(list(), Qt::Key_Delete);
    EXPECT_FALSE(h.action("mteisi")->isChecked());

    press(list(), Qt::Key_Tab);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
    h.timers.advance(1000);
    EXPECT_EQ(label2(), ""); // the answer fetched by Tab shows for a second

    press(list(), Qt::Key_Control);
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});

    press(list(), Qt::Key_Return, Qt::ShiftModifier); // skip
    h.timers.advance(1400);
    EXPECT_EQ(label1(), "book");
}

TEST_F(StudyKeys, WithoutThePanelOnlyCtrlWorks)
{
    h.find<QToolButton>("listclose")->click();
    press(h.find<QToolButton>("Startbtn"), Qt::Key_Return, Qt::ShiftModifier);
    h.timers.advance(1400);
    EXPECT_EQ(label1(), "apple");
    press(h.find<QToolButton>("Startbtn"), Qt::Key_Control);
    EXPECT_EQ(h.speech.spoken.size(), 1);
}

TEST_F(TypingKeys, TypingPausesAndTheExactAnswerIsTaken)
{
    EXPECT_TRUE(h.find<QFrame>("typeRow")->isVisible());
    EXPECT_EQ(h.find<QLabel>("testKEKKAlabel_1")->text(),
        QStringLiteral("止Enter  答Tab  次Shift+Enter"));
    EXPECT_EQ(h.find<QToolButton>("Fteisibtn")->toolTip(), QStringLiteral("一時停止　※Enter"));
    ASSERT_EQ(label1(), "book");
    ASSERT_TRUE(box->isEnabled());
    QTest::keyClick(box, Qt::Key_H);
    EXPECT_TRUE(h.action("mteisi")->isChecked()); // the first keystroke pauses
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(h.action("mteisi")->isChecked()); // Enter resumes
    box->setText(QStringLiteral("本 ")); // an extra space is not the answer
    EXPECT_TRUE(h.form().getList().isEmpty());
    box->setText(QStringLiteral("本"));
    EXPECT_TRUE(h.form().getList().contains(QStringLiteral("book,本")));
    EXPECT_EQ(box->text(), QStringLiteral("○"));
    EXPECT_EQ(label2(), QStringLiteral("本"));
    h.timers.advance(1400);
    EXPECT_EQ(label1(), "cat");
}

TEST_F(TypingKeys, TwoTypedAnswersInARowThenAPauseKeepsItsOwnTime)
{
    ASSERT_EQ(label1(), "book");
    h.timers.advance(1000);
    QTest::keyClick(box, Qt::Key_H); // pauses one second into the question
    box->setText(QStringLiteral("本"));
    h.timers.advance(1400);
    ASSERT_EQ(label1(), "cat");
    // Ready for the next answer: empty, enabled and focused.
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->hasFocus());
    box->insert(QStringLiteral("ねこ")); // as an input method commits it
    EXPECT_TRUE(h.form().getList().contains(QStringLiteral("cat,ねこ")));
    h.timers.advance(1400);
    ASSERT_EQ(label1(), "apple");
    EXPECT_TRUE(box->text().isEmpty());

    // The pause of the first item is not carried into this one's remaining time.
    const int question = h.form().state().options.inputShare * 300;
    h.timers.advance(1000);
    h.find<QToolButton>("Fteisibtn")->click();
    h.timers.advance(5000);
    h.find<QToolButton>("Fsaikaibtn")->click();
    h.timers.advance(question - 1000 - 1);
    EXPECT_EQ(label2(), "");
    h.timers.advance(1);
    EXPECT_EQ(label2(), QStringLiteral("りんご"));
}

TEST_F(TypingKeys, AnAnswerFetchedWithTabNoLongerCounts)
{
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(label2(), QStringLiteral("本"));
    EXPECT_TRUE(box->text().isEmpty());
    box->setText(QStringLiteral("本"));
    EXPECT_TRUE(h.form().getList().isEmpty()); // taken as an answer, but not into the list
    h.timers.advance(1400);
    EXPECT_EQ(label1(), "cat");
}

namespace {

class EchoKeys : public TypingKeys {
protected:
    void prepare() override
    {
        SettingsStore::WriteValue("1", "SCREENTEXT", "PR", h.settingsPath());
    }
};

} // namespace

TEST_F(EchoKeys, TypedTextIsEchoedOnTheAnswerLine)
{
    box->setText(QStringLiteral("ほ"));
    EXPECT_EQ(label2(), QStringLiteral("ほ"));
    EXPECT_EQ(label1(), "book");
}

namespace {

class TypedSpeedKeys : public StudyKeys {
protected:
    void prepare() override { SettingsStore::WriteValue("1", "NYSECMODE", "PR", h.settingsPath()); }
};

} // namespace

TEST_F(TypedSpeedKeys, TheSpeedBoxKeepsItsEditingKeys)
{
    // Guessing: the GET list's keys are not the speed box's.
    press(list(), Qt::Key_Return);
    ASSERT_EQ(h.form().getList().count(), 1);
    auto* box = h.find<QComboBox>("nyseccom");
    ASSERT_TRUE(box->isVisible());
    box->setEditText("3.25");
    for (Qt::Key key :
        {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Tab}) {
        box->lineEdit()->end(false);
        press(box, key);
    }
    EXPECT_EQ(box->currentText(), "3.");
    EXPECT_EQ(h.form().getList().count(), 1); // BackSpace removed nothing
    EXPECT_FALSE(h.action("mteisi")->isChecked());
    EXPECT_EQ(label2(), ""); // Tab fetched no answer
    press(list(), Qt::Key_Backspace);
    EXPECT_TRUE(h.form().getList().isEmpty());
}

// Pronouncing a GET entry needs an item on show, as every utterance does.
TEST(GetListPronounce, SaysNothingBeforeTheFirstItem)
{
    Form1Harness h;
    h.start();
    writeBytes(h.path("w.txt"), "apple,1\r\nbook,2\r\n");
    h.open(h.path("w.txt"));
    h.form().getList().append(QStringLiteral("apple,1"), QStringLiteral(","), false);
    h.form().getList().select(0);
    h.action("mlisthatuon")->trigger();
    EXPECT_TRUE(h.speech.spoken.isEmpty());
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.action("mlisthatuon")->trigger();
    EXPECT_EQ(h.speech.spoken, QStringList {"apple"});
}
