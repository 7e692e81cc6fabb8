// Form1 as the view of study: the card, its controls and the parts of the screen around it.
#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "app/studyinput.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "quiz/testengine.h"
#include "study/timerbar.h"
#include "ui/cardtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace keruna {

namespace {

bool ticked(MainMenus& menus, const char* name)
{
    return menus.action(QLatin1String(name))->isChecked();
}

} // namespace

bool Form1::paused() const
{
    return ticked(*m_menus, "mteisi");
}

bool Form1::timeLag() const
{
    return ticked(*m_menus, "mTimelag");
}

bool Form1::showTogether() const
{
    return m_c.Douzich->isChecked();
}

bool Form1::typingOn() const
{
    return m_c.typec->isChecked();
}

bool Form1::reversed() const
{
    return m_c.Revch->isChecked();
}

MeaningLimit Form1::meaningLimit() const
{
    if (ticked(*m_menus, "mitigi"))
        return MeaningLimit::One;
    if (ticked(*m_menus, "mnigi"))
        return MeaningLimit::Two;
    if (ticked(*m_menus, "msangi"))
        return MeaningLimit::Three;
    return MeaningLimit::Whole;
}

bool Form1::timerBarOn() const
{
    return m_c.iroch->isChecked();
}

bool Form1::speechOn() const
{
    return m_c.Spkch->isChecked();
}

bool Form1::speaksWithQuestion() const
{
    return ticked(*m_menus, "mOtosaki");
}

bool Form1::speaksWithAnswer() const
{
    return ticked(*m_menus, "mOtoato");
}

bool Form1::speaksTheWord() const
{
    return ticked(*m_menus, "mOtozidou");
}

QString Form1::typedSpeed() const
{
    return m_c.nyseccom->currentText();
}

QString Form1::speedChoice(int index) const
{
    return m_c.Seccom->itemText(index);
}

bool Form1::getPanelShown() const
{
    return !m_c.Pickframe->isHidden();
}

bool Form1::stickShown() const
{
    return ticked(*m_menus, "mbou");
}

bool Form1::focusScreen() const
{
    return m_layout->focusScreen();
}

bool Form1::minimized() const
{
    return isMinimized();
}

void Form1::showQuestion(const QString& text)
{
    showCardText(m_c.Label1, text);
}

void Form1::showAnswer(const QString& text)
{
    showCardText(m_c.Label2, text);
}

void Form1::echoTyped(bool inQuestion, const QString& text)
{
    // Not told to a screen reader at every key: the typing box itself is.
    (inQuestion ? m_c.Label1 : m_c.Label2)->setText(text);
}

void Form1::showStickText(const QString& text)
{
    m_stick->showText(text);
}

void Form1::showStickCaption(const QString& caption)
{
    m_stick->setCaption(caption);
}

void Form1::showMinimizedCaption(const QString& text)
{
    setWindowTitle(text + u' ');
}

void Form1::showNumber(const QString& text)
{
    showCardText(m_c.NoLabel, text);
}

void Form1::showGetPanelNumber(const QString& text)
{
    m_c.pNolabel->setText(text);
}

void Form1::refreshFocusLayout()
{
    m_layout->relayout();
}

void Form1::applyFontLayout()
{
    m_layout->ApplyFontLayout();
}

void Form1::showGetHint(bool shown)
{
    m_c.Image1_10->setVisible(shown);
    m_c.testkekkakesi->setVisible(shown);
    if (shown)
        m_c.Picktestlabel->setText(tr("覚えたら○を押してね"));
    else
        m_c.Picktestlabel->clear();
    m_c.Picktestlabel->setVisible(shown);
}

void Form1::showGetTestMarker(bool firstItem)
{
    m_c.Image1_10->setVisible(firstItem);
    m_c.testkekkakesi->setVisible(firstItem);
    if (firstItem) {
        m_c.Picktestlabel->setText(tr("テスト中"));
        m_c.Picktestlabel->show();
    }
}

void Form1::getPanelChanged()
{
    syncExternal();
}

void Form1::enableStudyChoices()
{
    for (QWidget* w : std::initializer_list<QWidget*> {m_c.dakecom, m_c.DBbtn})
        w->setEnabled(true);
    for (const char* name : {"mmondaihyouzi", "mdmondaihyouzi", "mDB", "mdDB", "mondaireset"})
        m_menus->action(QString::fromLatin1(name))->setEnabled(true);
}

void Form1::showPaused(bool isPaused)
{
    m_menus->setCheckedWithTwin(QStringLiteral("mteisi"), isPaused);
    QToolButton* pause = m_state.testmode ? m_c.testTEISIbtn : m_c.Fteisibtn;
    QToolButton* resume = m_state.testmode ? m_c.testSAIKAIbtn : m_c.Fsaikaibtn;
    pause->setEnabled(!isPaused);
    resume->setEnabled(isPaused);
}

void Form1::showSpeedInMenu(int index)
{
    m_menus->checkOnlyInArray(QStringLiteral("msec"), index);
}

void Form1::showSpeedInBox(int index)
{
    const QSignalBlocker blocker(m_c.Seccom);
    m_c.Seccom->setCurrentIndex(index);
}

void Form1::showTypedSpeed(const QString& seconds)
{
    m_c.nyseccom->setEditText(seconds);
}

void Form1::resetTypingBox()
{
    clearTypingBox();
    m_c.cuttext->setEnabled(true);
    if (m_c.cuttext->isVisible())
        m_c.cuttext->setFocus();
}

void Form1::clearTypingBox()
{
    const QSignalBlocker blocker(m_c.cuttext);
    m_c.cuttext->clear();
}

void Form1::showTypingTaken()
{
    m_c.cuttext->setText(QStringLiteral("○"));
}

void Form1::enableItemButtons()
{
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_c.listmaru, m_c.zidouMARU, m_c.syudouskip, m_c.listSkipbtn})
        w->setEnabled(true);
}

void Form1::lockItemButtons(bool skipStays)
{
    for (QWidget* w : std::initializer_list<QWidget*> {m_c.listmaru, m_c.cuttext, m_c.zidouMARU})
        w->setEnabled(false);
    if (!skipStays)
        lockSkip();
}

void Form1::lockSkip()
{
    m_c.syudouskip->setEnabled(false);
    m_c.listSkipbtn->setEnabled(false);
}

void Form1::startTimerBar()
{
    m_timerBar->start();
}

void Form1::stopTimerBar()
{
    m_timerBar->stop();
}

void Form1::holdTimerBar()
{
    m_timerBar->hold();
}

void Form1::resumeTimerBar()
{
    m_timerBar->resume();
}

void Form1::openList()
{
    m_problems->OpenProblemFile();
}

bool Form1::mayReleaseResults()
{
    return settleUnsavedResults(this);
}

bool Form1::inGetList(const QString& item) const
{
    return m_getList->contains(item);
}

int Form1::getListCount() const
{
    return m_getList->count();
}

void Form1::appendToGetList()
{
    appendCurrentItemToGetList();
}

void Form1::endGetTest()
{
    m_getTest->end();
}

void Form1::showGetListOnFirstStart()
{
    if (!m_state.options.showGetOnStart)
        return;
    const bool otherView = m_layout->focusScreen() || stickShown();
    if (!m_state.options.getInside) {
        m_test->takeDownTestDisplay();
        MoveGetListOut();
    } else if (!isMinimized() && !otherView) {
        MoveGetListIn();
    }
}

void Form1::restoreStudyState()
{
    m_test->takeDownTestDisplay();
}

void Form1::applyStudyGuidance()
{
    m_input->ApplyStudyGuidance();
}

void Form1::clearHandwriting()
{
    if (eraseHandwriting)
        eraseHandwriting();
}

void Form1::speakItem()
{
    SpeakItem();
}

void Form1::runningChanged(bool running)
{
    studyRunning(running);
}

void Form1::itemShown()
{
    studyItemShown();
}

} // namespace keruna
