// The test's panel: score texts, its speed and number boxes, the guidance and the layout
// of each input mode, and the main controls a test locks.
#include "quiz/testengine.h"

#include "common/clock.h"
#include "common/numbers.h"
#include "common/random.h"
#include "mainscreen/maincontrols.h"
#include "mainscreen/mainmenus.h"
#include "mainscreen/mainstate.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"
#include "quiz/testscore.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "study/studyengine.h"
#include "study/typedspeed.h"
#include "ui/cardtext.h"
#include "ui/platform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace keruna {

namespace {

// The controls a test locks (menus by name, main and popup), so that nothing changes
// the list or the range under it.
const char* const kLockedMenus[] = {"mmondaihyouzi", "mdmondaihyouzi", "mDB", "mdDB", "mondaireset",
    "mfile", "mhensyuu", "mdnormal", "mdrandom", "mdDouzi", "mdTimelag", "mdsokudo",
    "mdkaitouhyouzi", "mdteisi", "mdone", "mdmae", "mdtest", "mdopen", "mdstart", "mdsyuuryou"};

} // namespace

void TestEngine::ComposeScoreText()
{
    if (!m_ctx.state.testResultsHeld)
        return;
    MainControls& c = m_ctx.controls;
    const int correct = m_t.correctCount;
    const int wrong = m_t.wrongCount;
    showCardText(c.testKEKKAlabel[0], scoreText(correct, wrong));
    if (m_hooks.scoreShown)
        m_hooks.scoreShown(c.testKEKKAlabel[0]->text());
    showCardText(c.testKEKKAlabel[2],
        progressText(
            {kind(), correct + wrong, m_t.itemTotal, secondsPerItem(), m_t.lowest, m_t.highest}));
    if (!running() && kind() != TestKind::Number && m_hooks.showResultScore)
        m_hooks.showResultScore(m_t.resultTitle, correct, wrong, correctRate(correct, wrong));
}

void TestEngine::SetResultTitle()
{
    m_t.range = m_ctx.range.current.value_or(RangeFilter::All);
    const int count = rangeCountOf(m_ctx.set, m_t.range);
    m_study.session().N = count;
    m_t.itemTotal = count;
    if (running())
        m_t.resultTitle = resultTitleText(m_t.range, count);
}

void TestEngine::RecountFromChecks(bool afterTest)
{
    if (!m_hooks.judgedCounts)
        return;
    const auto [checked, unchecked] = m_hooks.judgedCounts(afterTest);
    m_t.correctCount = checked;
    m_t.wrongCount = unchecked;
}

void TestEngine::getListClicked()
{
    if (!running() || (m_hooks.testListEmpty && m_hooks.testListEmpty()))
        return;
    RecountFromChecks(false);
    ComposeScoreText();
}

void TestEngine::applySecondsBox()
{
    MainControls& c = m_ctx.controls;
    const QString text = c.tsec->currentText();
    Result<TypedSpeed> speed = parseTypedSpeed(text);
    if (!speed) {
        m_ctx.platform.showMessage(&m_ctx.window, typedSpeedMessage(speed.error()),
            isNumeric(text) ? MessageIcon::Information : MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    m_study.applyTypedSpeed(speed.value());
    // The test's speed is its own box's: no speed menu entry stands for it.
    m_ctx.menus.checkOnlyInArray(QStringLiteral("msec"), -1);
    ComposeScoreText();
}

void TestEngine::applyNumberBounds()
{
    MainControls& c = m_ctx.controls;
    int bounds[2] = {m_t.lowest, m_t.highest};
    QComboBox* boxes[2] = {c.ketamin, c.ketamax};
    for (int i = 0; i < 2; ++i) {
        const QString text = boxes[i]->currentText();
        const std::optional<double> value = toNumber(text);
        if (!value || *value < 0 || *value > kMaxNumberBound) {
            if (value) {
                m_ctx.platform.showMessage(&m_ctx.window, boundRangeMessage(),
                    MessageIcon::Information, MessageButtons::Ok);
            } else {
                m_ctx.platform.showMessage(&m_ctx.window,
                    errorText(
                        AppError::withText(ErrorNumber::ApplicationDefined, tr("数値が不正です｡"))),
                    MessageIcon::Error, MessageButtons::Ok);
            }
            return;
        }
        bounds[i] = int(wholePart(*value));
    }
    // Reversed bounds would draw nothing but the lower one.
    if (bounds[0] > bounds[1]) {
        m_ctx.platform.showMessage(
            &m_ctx.window, reversedBoundsMessage(), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    m_t.lowest = bounds[0];
    m_t.highest = bounds[1];
    ComposeScoreText();
}

void TestEngine::inputModeChanged(bool typed)
{
    if (!running())
        return;
    m_ctx.state.nyuuryokumode = typed ? 1 : 0;
    layoutInputMode();
}

void TestEngine::stopCountdown()
{
    if (m_ctx.controls.iroch->isChecked() && m_hooks.stopTimerBar)
        m_hooks.stopTimerBar();
}

void TestEngine::ApplyTestGuidance()
{
    MainControls& c = m_ctx.controls;
    const bool typed = m_ctx.state.nyuuryokumode == 1;
    c.syudouskip->setToolTip(tr("問題をスキップ ※Shift+Enter"));
    if (kind() == TestKind::Manual) {
        if (typed) {
            showCardText(c.testSIZIlabel, tr("入力してね"));
            c.testKEKKAlabel[1]->setText(tr("答Tab  次Enter"));
            c.syudouKAKUNIN->setToolTip(tr("答えの確認"));
            c.syudouskip->setToolTip(tr("問題をスキップ ※Enter"));
            c.cuttext->setToolTip(tr("Tab、Enterを使うと不正解にカウント"));
        } else {
            showCardText(c.testSIZIlabel, tr("CHECKして○×を押してね"));
            c.testKEKKAlabel[1]->setText(tr("CHECK,○はEnter  ×,レはBS  答Tab  次Shift+Enter"));
            c.syudouKAKUNIN->setToolTip(tr("答えの確認 ※Enter"));
            c.syudouMARU->setToolTip(QStringLiteral("※Enter"));
            c.syudouBATU->setToolTip(QStringLiteral("※BackSpace"));
        }
        return;
    }
    if (typed) {
        showCardText(c.testSIZIlabel, tr("入力してね"));
        c.testKEKKAlabel[1]->setText(tr("止Enter  答Tab  次Shift+Enter"));
        c.zidouMARU->setToolTip(tr("リストに追加"));
        c.testTEISIbtn->setToolTip(tr("一時停止 ※Enter"));
        c.testSAIKAIbtn->setToolTip(tr("再開 ※Enter"));
        c.cuttext->setToolTip(tr("Tabを使うと不正解にカウント"));
    } else {
        showCardText(c.testSIZIlabel, tr("予想してね"));
        c.testKEKKAlabel[1]->setText(tr("○Enter  レBS  止Del  答Tab  次Shift+Enter"));
        c.zidouMARU->setToolTip(tr("リストに追加 ※Enter"));
        c.testTEISIbtn->setToolTip(tr("一時停止 ※Delete"));
        c.testSAIKAIbtn->setToolTip(tr("再開 ※Delete"));
    }
}

void TestEngine::layoutInputMode()
{
    MainControls& c = m_ctx.controls;
    const bool typed = m_ctx.state.nyuuryokumode == 1;
    {
        const QSignalBlocker blocker(c.typec);
        c.typec->setChecked(typed);
    }
    ApplyTestGuidance();
    const TestKind k = kind();
    const bool manual = k == TestKind::Manual;
    const bool automatic = k == TestKind::Automatic;
    const bool number = k == TestKind::Number;
    for (QWidget* w : std::initializer_list<QWidget*> {c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU})
        w->setVisible(manual);
    for (QWidget* w : std::initializer_list<QWidget*> {c.tsec, c.tsecbtn})
        w->setVisible(!manual);
    c.zidouMARU->setVisible(!manual);
    c.testTEISIbtn->setVisible(!manual);
    c.testSAIKAIbtn->setVisible(!manual);
    for (QWidget* w : std::initializer_list<QWidget*> {c.ketamin, c.ketamax, c.ketabotan})
        w->setVisible(number);
    c.kikitori->setVisible(!number);
    c.rev->setVisible(automatic || manual);
    for (QWidget* w : std::initializer_list<QWidget*> {
             c.syudouskip, c.syuuryoubtn, c.testSIZIlabel, c.testkekkakesi, c.testFrame})
        w->show();
    // The test's list shows where the GET list is: inside, or on the external screen only.
    if (!(m_hooks.getListOutside && m_hooks.getListOutside()))
        c.Pickframe->show();
    c.testkekka->hide();
    c.TestListbtn->hide();
    for (QLabel* l : c.testKEKKAlabel)
        l->show();
    c.nPickzencheck->hide();
    c.nPickzencheckhazusi->hide();
    setGetButtonsShown(false);
    c.typeRow->setVisible(typed);
    c.cuttext->setEnabled(typed && m_study.itemCurrent() && !taken());
    if (m_hooks.relayout)
        m_hooks.relayout();
}

void TestEngine::setGetButtonsShown(bool shown)
{
    // The GET panel's own commands (remove, save, the GET test) would act on a test's
    // judgements as if they were the user's list.
    MainControls& c = m_ctx.controls;
    for (QWidget* w :
        std::initializer_list<QWidget*> {c.listmodosi, c.listhozon, c.Picktest, c.pickend})
        w->setVisible(shown && w != c.pickend);
}

namespace {

// The main screen's controls a running test locks, and its end gives back.
std::array<QWidget*, 13> lockedControls(const MainControls& c)
{
    return {c.dakecom, c.DBbtn, c.Startbtn, c.TESTbtn, c.Fteisibtn, c.Fsaikaibtn, c.Openbtn,
        c.sakuseibtn, c.Douzich, c.Rndop[0], c.Rndop[1], c.Seccom, c.nyseccom};
}

} // namespace

void TestEngine::disableMainControls()
{
    for (QWidget* w : lockedControls(m_ctx.controls))
        w->setEnabled(false);
    for (const char* name : kLockedMenus) {
        if (QAction* a = menuEntry(QString::fromLatin1(name)))
            a->setEnabled(false);
    }
    for (const char* name : {"mdsokudo", "mdkaitouhyouzi", "mdsyuuryou"})
        menuEntry(QString::fromLatin1(name))->setEnabled(true);
    menuEntry(QStringLiteral("mdteisi"))->setEnabled(kind() != TestKind::Manual);
}

void TestEngine::enableMainControls()
{
    for (QWidget* w : lockedControls(m_ctx.controls))
        w->setEnabled(true);
    const bool stickOn = menuEntry(QStringLiteral("mdbou"))->isChecked();
    for (const char* name : kLockedMenus) {
        const QString n = QString::fromLatin1(name);
        if (n == QLatin1String("mdmae") && stickOn)
            continue;
        if (QAction* a = menuEntry(n))
            a->setEnabled(true);
    }
    m_study.setPausedControls(m_study.paused());
}

QAction* TestEngine::menuEntry(const QString& name) const
{
    if (QAction* a = m_ctx.menus.action(name))
        return a;
    if (QMenu* m = m_ctx.menus.menu(name))
        return m->menuAction();
    return nullptr;
}

} // namespace keruna
