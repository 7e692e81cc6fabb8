// Form1 as the view of a test: its panel, the controls it locks, and the parts of the
// program around it.
#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "ui/cardtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <array>

namespace keruna {

namespace {

// The controls a test locks (menus by name, main and popup), so that nothing changes
// the list or the range under it.
const char* const kLockedMenus[] = {"mmondaihyouzi", "mdmondaihyouzi", "mDB", "mdDB", "mondaireset",
    "mfile", "mhensyuu", "mdnormal", "mdrandom", "mdDouzi", "mdTimelag", "mdsokudo",
    "mdkaitouhyouzi", "mdteisi", "mdone", "mdmae", "mdtest", "mdopen", "mdstart", "mdsyuuryou"};

// The main screen's controls a running test locks, and its end gives back.
std::array<QWidget*, 13> lockedControls(const MainControls& c)
{
    return {c.dakecom, c.DBbtn, c.Startbtn, c.TESTbtn, c.Fteisibtn, c.Fsaikaibtn, c.Openbtn,
        c.sakuseibtn, c.Douzich, c.Rndop[0], c.Rndop[1], c.Seccom, c.nyseccom};
}

QAction* menuEntry(MainMenus& menus, const QString& name)
{
    if (QAction* a = menus.action(name))
        return a;
    if (QMenu* m = menus.menu(name))
        return m->menuAction();
    return nullptr;
}

} // namespace

bool Form1::listeningChosen() const
{
    return m_c.kikitori->isChecked();
}

bool Form1::testReversed() const
{
    return m_c.rev->isChecked();
}

QString Form1::testSeconds() const
{
    return m_c.tsec->currentText();
}

QString Form1::lowestBound() const
{
    return m_c.ketamin->currentText();
}

QString Form1::highestBound() const
{
    return m_c.ketamax->currentText();
}

int Form1::studySpeedIndex() const
{
    return m_c.Seccom->currentIndex();
}

bool Form1::typingBoxShown() const
{
    return m_c.cuttext->isVisible();
}

bool Form1::typingBoxOpen() const
{
    return m_c.cuttext->isVisible() && m_c.cuttext->isEnabled();
}

void Form1::showTestChoice(const TestChoice& choice)
{
    m_c.rev->setChecked(choice.reverse);
    m_c.Revch->setChecked(choice.reverse);
    m_c.kikitori->setChecked(choice.listening);
    m_c.Spkch->setChecked(choice.listening);
    m_c.tsec->setEditText(choice.seconds);
    m_c.ketamin->setEditText(choice.lowest);
    m_c.ketamax->setEditText(choice.highest);
}

void Form1::restoreStudyChoices(bool random, bool reverse, bool speech)
{
    m_c.Rndop[random ? 0 : 1]->setChecked(true);
    m_c.Revch->setChecked(reverse);
    m_c.Spkch->setChecked(speech);
}

void Form1::showNumberBounds(const QString& lowest, const QString& highest)
{
    if (m_c.ketamin->currentText() != lowest)
        m_c.ketamin->setEditText(lowest);
    if (m_c.ketamax->currentText() != highest)
        m_c.ketamax->setEditText(highest);
}

void Form1::showTestSeconds(const QString& seconds)
{
    m_c.tsec->setEditText(seconds);
}

void Form1::clearCardAndNumbers()
{
    for (QLabel* l : {m_c.Label1, m_c.Label2, m_c.NoLabel, m_c.pNolabel})
        l->clear();
}

void Form1::alignCardForNumbers(bool numbers)
{
    m_c.Label1->setAlignment(!numbers && m_state.options.longText
            ? Qt::AlignLeft | Qt::AlignTop
            : Qt::AlignHCenter | Qt::AlignTop);
}

// What each kind of test asks of the learner, and its keys.
void Form1::showTestGuidance(TestKind kind, bool typed)
{
    MainControls& c = m_c;
    c.syudouskip->setToolTip(tr("問題をスキップ ※Shift+Enter"));
    if (kind == TestKind::Manual) {
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

void Form1::layoutTestInputs(TestKind kind, bool typed, bool typingOpen)
{
    MainControls& c = m_c;
    {
        const QSignalBlocker blocker(c.typec);
        c.typec->setChecked(typed);
    }
    showTestGuidance(kind, typed);
    const bool manual = kind == TestKind::Manual;
    const bool automatic = kind == TestKind::Automatic;
    const bool number = kind == TestKind::Number;
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
    if (!getListOutside())
        c.Pickframe->show();
    c.testkekka->hide();
    c.TestListbtn->hide();
    for (QLabel* l : c.testKEKKAlabel)
        l->show();
    c.nPickzencheck->hide();
    c.nPickzencheckhazusi->hide();
    showGetListCommands(false);
    c.typeRow->setVisible(typed);
    c.cuttext->setEnabled(typingOpen);
    relayout();
}

void Form1::lockStudyControls(bool manual)
{
    for (QWidget* w : lockedControls(m_c))
        w->setEnabled(false);
    for (const char* name : kLockedMenus) {
        if (QAction* a = menuEntry(*m_menus, QString::fromLatin1(name)))
            a->setEnabled(false);
    }
    for (const char* name : {"mdsokudo", "mdkaitouhyouzi", "mdsyuuryou"})
        menuEntry(*m_menus, QString::fromLatin1(name))->setEnabled(true);
    menuEntry(*m_menus, QStringLiteral("mdteisi"))->setEnabled(!manual);
}

void Form1::unlockStudyControls()
{
    for (QWidget* w : lockedControls(m_c))
        w->setEnabled(true);
    const bool stickOn = menuEntry(*m_menus, QStringLiteral("mdbou"))->isChecked();
    for (const char* name : kLockedMenus) {
        const QString n = QString::fromLatin1(name);
        if (n == QLatin1String("mdmae") && stickOn)
            continue;
        if (QAction* a = menuEntry(*m_menus, n))
            a->setEnabled(true);
    }
}

void Form1::showGetListCommands(bool shown)
{
    MainControls& c = m_c;
    for (QWidget* w :
        std::initializer_list<QWidget*> {c.listmodosi, c.listhozon, c.Picktest, c.pickend})
        w->setVisible(shown && w != c.pickend);
}

void Form1::enableManualButtons(bool reveal, bool judge)
{
    m_c.syudouKAKUNIN->setEnabled(reveal);
    m_c.syudouMARU->setEnabled(judge);
    m_c.syudouBATU->setEnabled(judge);
}

void Form1::enableManualSkip(bool enabled)
{
    m_c.syudouskip->setEnabled(enabled);
}

void Form1::markTypingTaken()
{
    const QSignalBlocker blocker(m_c.cuttext);
    m_c.cuttext->setText(QStringLiteral("○"));
}

void Form1::focusTypingBox()
{
    m_c.cuttext->setFocus();
}

void Form1::showScore(const QString& score, const QString& progress)
{
    showCardText(m_c.testKEKKAlabel[0], score);
    if (externalShown())
        externalScreen()->setPicktestText(score);
    showCardText(m_c.testKEKKAlabel[2], progress);
}

void Form1::showResultScore(const QString& range, int correct, int wrong, int rate)
{
    if (DBgamen* screen = databaseScreen())
        screen->setResultScore({range, correct, wrong, rate});
}

void Form1::takeDownTestPanel()
{
    MainControls& c = m_c;
    for (QWidget* w : std::initializer_list<QWidget*> {c.syuuryoubtn, c.tsec, c.tsecbtn,
             c.ketabotan, c.ketamax, c.ketamin, c.zidouMARU, c.testTEISIbtn, c.testSAIKAIbtn,
             c.syudouKAKUNIN, c.syudouMARU, c.syudouBATU, c.syudouskip, c.kikitori, c.rev,
             c.testkekka, c.testkekkakesi, c.TestListbtn})
        w->hide();
    c.testSIZIlabel->show();
    c.testKEKKAlabel[0]->show();
    c.testKEKKAlabel[2]->hide();
    c.nPickzencheck->show();
    {
        const QSignalBlocker blocker(c.typec);
        c.typec->setChecked(false);
    }
    c.testKEKKAlabel[1]->clear();
    showCardText(c.testKEKKAlabel[2], {});
    c.iroch->setChecked(false);
    c.iroch->hide();
    c.cuttext->setToolTip(tr("Enter：一時停止 Tab：答え"));
    c.typeRow->hide();
    c.testTEISIbtn->setEnabled(true);
    c.testSAIKAIbtn->setEnabled(false);
}

void Form1::showTestEnded()
{
    showCardText(m_c.testSIZIlabel, tr("お疲れ様、テスト終了です。STARTで再開できるよ。"));
}

void Form1::showResultsButton()
{
    m_c.TestListbtn->show();
}

void Form1::hideTestResults()
{
    MainControls& c = m_c;
    c.testFrame->hide();
    c.Image1_10->hide();
    c.testKEKKAlabel[0]->hide();
    c.testKEKKAlabel[1]->clear();
    showCardText(c.testKEKKAlabel[2], {});
    c.testKEKKAlabel[2]->hide();
    c.iroch->show();
}

void Form1::relayout()
{
    m_layout->relayout();
}

bool Form1::getListOutside() const
{
    return externalShown();
}

bool Form1::appendJudged(const QString& key, bool red, int line)
{
    // Each judgement its own entry, duplicate records too: the score is the list's checks.
    return m_getList->append(key, m_state.options.delimiter, red, false, true, line);
}

void Form1::checkSelectedGetEntry()
{
    m_engineTicking = true;
    m_getList->setChecked(m_getList->selectedIndex(), true);
    m_engineTicking = false;
}

bool Form1::testListEmpty() const
{
    return m_getList->isEmpty();
}

void Form1::reloadProblemData()
{
    if (Result<bool> reloaded = m_problems->ReloadProblemFile(); !reloaded)
        tell(errorText(reloaded.error()), MessageIcon::Error);
}

void Form1::testEnded()
{
    recordTest();
}

void Form1::clearTestList()
{
    m_getList->clear(false);
}

void Form1::closeDatabaseScreen()
{
    closeAndEmptyDatabaseLists();
}

void Form1::showResults()
{
    ShowTestResults();
}

} // namespace keruna
