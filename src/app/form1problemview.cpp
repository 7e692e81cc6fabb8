// Form1 as the view of opening a word list and choosing its range.
#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "mainscreen/mainmenus.h"
#include "quiz/testengine.h"
#include "study/studyengine.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace keruna {

std::optional<QString> Form1::chooseListFile(const OpenFileRequest& request)
{
    return m_ctx.platform.chooseOpenFile(this, request);
}

void Form1::tell(const QString& text, MessageIcon icon)
{
    m_ctx.platform.showMessage(this, text, icon, MessageButtons::Ok);
}

bool Form1::raiseAboveToolWindows()
{
    if (!(m_stick->shown() || paletteOnTop() || externalShown()))
        return false;
    m_ctx.platform.setTopmost(this, true);
    return true;
}

void Form1::settleAfterRaise()
{
    if (!m_menus->action(QStringLiteral("mmae"))->isChecked())
        m_ctx.platform.setTopmost(this, false);
    raiseToolWindows();
}

void Form1::showTitle(const QString& caption)
{
    setWindowTitle(caption);
}

void Form1::showRange(std::optional<RangeFilter> checked, int boxIndex)
{
    for (int i = 0; i < kRangeCount; ++i) {
        const RangeFilter range = rangeFromIndex(i);
        m_menus->setCheckedWithTwin(rangeMenuName(range), checked == range);
    }
    const QSignalBlocker blocker(m_c.dakecom);
    m_c.dakecom->setCurrentIndex(boxIndex);
}

void Form1::showCheckAllPicture()
{
    m_c.nPickzencheck->show();
    m_c.nPickzencheckhazusi->hide();
}

void Form1::hideItemPictures()
{
    for (int i = 0; i < 3 && i < m_c.Image1.size(); ++i)
        m_c.Image1[i]->hide();
}

void Form1::lockItemButtons()
{
    lockItemButtons(false);
}

bool Form1::testActive() const
{
    return m_state.testmode;
}

bool Form1::mayReplaceList()
{
    if (!settleUnsavedWork(this))
        return false;
    endStudyRun();
    return true;
}

void Form1::takeDownTestDisplay()
{
    m_test->takeDownTestDisplay();
}

void Form1::restartFromFirstItem()
{
    m_study->restartFromFirst();
}

void Form1::applyProperties()
{
    applyPropertiesQuietly();
}

void Form1::stopIdleAnimation()
{
    m_layout->stopIdleAnimation();
}

void Form1::restoreItemFrameColour()
{
    applyColours();
}

void Form1::clearGetList()
{
    m_getList->clear(m_state.testResultsHeld);
    resetExternalCheckAll();
    focusGetList();
}

void Form1::resetGetTestDisplay()
{
    m_getTest->resetDisplay();
}

void Form1::rebuildTestHeading()
{
    m_test->SetResultTitle();
}

void Form1::markDue(ProblemSet& set)
{
    scheduleReviewsOf(set);
}

void Form1::awaitDue()
{
    awaitReviewSchedule();
}

} // namespace keruna
