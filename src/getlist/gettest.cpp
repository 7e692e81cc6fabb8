#include "getlist/gettest.h"

#include "common/clock.h"
#include "common/random.h"
#include "getlist/getlist.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemset.h"
#include "problemdata/range.h"
#include "study/studyengine.h"
#include "ui/cardtext.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

namespace keruna {

namespace {

// The controls that would change the order or the range under a GET test.
const char* const kLockedMenus[]
    = {"mmondaihyouzi", "mdmondaihyouzi", "mnormal", "mrandom", "mdnormal", "mdrandom"};

} // namespace

GetTest::GetTest(StudyEngine& study, GetList& list, GetTestHooks hooks)
    : m_study(study)
    , m_list(list)
    , m_hooks(std::move(hooks))
{
}

bool GetTest::running() const
{
    return m_study.session().getTestRunning;
}

bool GetTest::hasFile() const
{
    return !m_study.context().set.path.isEmpty();
}

void GetTest::start()
{
    const StudyEngine::Context& ctx = m_study.context();
    if (!hasFile() || running() || ctx.state.testmode)
        return;
    MainControls& c = ctx.controls;
    StudySession& s = m_study.session();
    s.n = 0;
    s.phase = StudyPhase::AwaitItem;
    s.currentLine.clear();
    s.item = ItemText {};
    m_study.DisableItemButtons();
    showCardText(c.Label1, QStringLiteral("Ready?"));
    showCardText(c.Label2, {});

    m_savedRandom = c.Rndop[0]->isChecked();
    m_orderSaved = true;
    const RangeFilter range = ctx.range.current.value_or(RangeFilter::NotYet);
    QStringList order = rangeList(ctx.set, range);
    shuffle(order, ctx.random);
    s.getTestOrder = std::move(order);
    s.N = int(s.getTestOrder.size());

    s.getTestRunning = true;
    c.pickend->show();
    c.Picktest->hide();
    c.Rndop[0]->setChecked(true);
    setLocked(true);
    if (m_hooks.mirror)
        m_hooks.mirror();
    if (m_hooks.focusGetList)
        m_hooks.focusGetList();
}

void GetTest::end()
{
    const StudyEngine::Context& ctx = m_study.context();
    if (!hasFile())
        return;
    MainControls& c = ctx.controls;
    StudySession& s = m_study.session();
    c.testkekkakesi->hide();
    if (!m_list.isEmpty() || s.n > 0) {
        c.Picktestlabel->setText(getTestResultText(m_list.count(), s.N));
        c.Picktestlabel->show();
        if (m_hooks.ended)
            m_hooks.ended(m_list.count(), s.N, s.n);
    } else {
        c.Picktestlabel->hide();
    }
    c.Image1_10->hide();

    // The presentation stops; Start begins study again from the first item.
    m_study.timer().setEnabled(false);
    m_study.setPausedControls(false);
    s.phase = StudyPhase::AwaitItem;
    s.currentLine.clear();
    s.item = ItemText {};
    showCardText(c.Label1, {});
    showCardText(c.Label2, {});

    ResetGetTestControls();
    s.getTestRunning = false;
    s.getTestOrder.clear();
    if (m_hooks.mirror)
        m_hooks.mirror();
    if (m_hooks.reloadKeepingList)
        m_hooks.reloadKeepingList();
}

void GetTest::ResetGetTestControls()
{
    MainControls& c = m_study.context().controls;
    // Only an order the GET test itself changed is put back.
    if (m_orderSaved) {
        c.Rndop[m_savedRandom ? 0 : 1]->setChecked(true);
        m_orderSaved = false;
    }
    setLocked(false);
    c.pickend->hide();
    c.Picktest->show();
    if (m_hooks.mirror)
        m_hooks.mirror();
}

void GetTest::resetDisplay()
{
    if (!running())
        return;
    StudySession& s = m_study.session();
    MainControls& c = m_study.context().controls;
    s.getTestRunning = false;
    s.getTestOrder.clear();
    c.Image1_10->hide();
    c.testkekkakesi->hide();
    c.Picktestlabel->hide();
    c.Picktestlabel->clear();
    ResetGetTestControls();
}

void GetTest::setLocked(bool locked)
{
    const StudyEngine::Context& ctx = m_study.context();
    MainControls& c = ctx.controls;
    // A running test keeps its own locks on these.
    if (ctx.state.testmode)
        return;
    for (QWidget* w : std::initializer_list<QWidget*> {c.Rndop[0], c.Rndop[1], c.dakecom})
        w->setEnabled(!locked);
    for (const char* name : kLockedMenus) {
        const QString n = QString::fromLatin1(name);
        if (QAction* a = ctx.menus.action(n))
            a->setEnabled(!locked);
        else if (QMenu* m = ctx.menus.menu(n))
            m->menuAction()->setEnabled(!locked);
    }
}

GetTestScore getTestScore(int got, int total)
{
    // Items in the GET list from before the test count as got too; the figures stay within
    // the range.
    const int shown = std::min(got, std::max(total, 0));
    const int rate = total > 0 ? int(qint64(shown) * 100 / total) : 0;
    return {shown, total - shown, rate};
}

QString getTestResultText(int got, int total)
{
    const GetTestScore score = getTestScore(got, total);
    return QStringLiteral("○%1\u3000×%2\u3000正解率%3％")
        .arg(score.correct)
        .arg(score.wrong)
        .arg(score.rate);
}

} // namespace keruna
