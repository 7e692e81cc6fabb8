#include "app/form1.h"

#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "common/twips.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "database/resultlists.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemcontroller.h"
#include "quiz/testdialog.h"
#include "quiz/testengine.h"
#include "quiz/testscore.h"
#include "speech/speechoutput.h"
#include "study/stickscreen.h"
#include "study/studyengine.h"
#include "study/timerbar.h"
#include "ui/platform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

// Form1: the test set-up, the test engine's wiring, and the result lists.
namespace keruna {

void Form1::wireTests()
{
    m_test = std::make_unique<TestEngine>(*m_study, static_cast<TestView&>(*this), settingsPath());
    m_study->testSpeedChosen = [this](const QString& seconds) {
        m_c.tsec->setEditText(seconds);
        m_test->applySecondsBox();
    };
    chooseTestSetup = [this](const TestSetupInput& input) { return runTestDialog(input); };

    auto held = [this](std::function<void()> command) {
        return [this, command] { m_study->userCommand(command); };
    };
    connect(m_c.TESTbtn, &QToolButton::clicked, this, held([this] { StartTest(); }));
    // Not held behind a word being spoken: the test ends at once.
    // The end stops at once: the word being spoken is cut short too.
    connect(m_c.syuuryoubtn, &QToolButton::clicked, this, [this] {
        m_ctx.speech.stop();
        m_test->stop();
    });
    connect(
        m_c.syudouKAKUNIN, &QToolButton::clicked, this, held([this] { m_test->revealAnswer(); }));
    connect(m_c.syudouMARU, &QToolButton::clicked, this, held([this] { m_test->judge(true); }));
    connect(m_c.syudouBATU, &QToolButton::clicked, this, held([this] { m_test->judge(false); }));
    connect(m_c.syudouskip, &QToolButton::clicked, this, held([this] { m_test->SkipItem(); }));
    connect(m_c.zidouMARU, &QToolButton::clicked, this, held([this] { m_test->claim(); }));
    connect(m_c.tsecbtn, &QToolButton::clicked, this, held([this] { m_test->applySecondsBox(); }));
    connect(
        m_c.ketabotan, &QToolButton::clicked, this, held([this] { m_test->applyNumberBounds(); }));
    connect(m_c.TestListbtn, &QPushButton::clicked, this, [this] { ShowTestResults(); });
    // The score labels, hidden and shown again; outside a test the hide button closes
    // the GET hint.
    connect(m_c.testkekkakesi, &QToolButton::clicked, this, [this] {
        if (m_state.testResultsHeld) {
            m_c.testKEKKAlabel[0]->hide();
            m_c.testKEKKAlabel[2]->hide();
            m_c.testkekka->show();
        } else {
            m_c.Image1_10->hide();
            m_c.Picktestlabel->hide();
        }
        m_c.testkekkakesi->hide();
    });
    connect(m_c.testkekka, &QToolButton::clicked, this, [this] {
        m_c.testKEKKAlabel[0]->show();
        m_c.testKEKKAlabel[2]->setVisible(m_state.testmode);
        m_c.testkekka->hide();
        m_c.testkekkakesi->show();
    });
    connect(m_c.kikitori, &QCheckBox::toggled, this, [this](bool on) {
        if (m_state.testmode)
            m_test->session().listening = on;
    });
    connect(m_c.Spkch, &QCheckBox::toggled, this, [this](bool on) {
        if (m_state.testmode)
            m_c.kikitori->setChecked(on);
    });
    connect(m_c.iroch, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_state.testmode && m_state.testKind == TestKind::Manual
            && m_c.syudouKAKUNIN->isEnabled()) {
            m_study->session().phaseStart = m_ctx.clock.secondsSinceMidnight();
            m_timerBar->start();
        }
    });
    // Ticking or unticking a judged entry corrects its judgement, by mouse or by Space. The
    // engine's own tick of a right answer is counted by the engine: a recount of the whole
    // list there would make a long test quadratic.
    connect(&m_getList->model(), &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
            if (m_state.testmode && !m_engineTicking
                && (roles.isEmpty() || roles.contains(Qt::CheckStateRole)))
                m_test->getListClicked();
        });
    connect(m_c.Revch, &QCheckBox::toggled, this, [this](bool on) {
        if (m_state.testmode)
            m_c.rev->setChecked(on);
    });
    // In a manual test the bar runs over the whole item and shows the answer at its end.
    m_timerBar->onFull = [this] {
        if (m_state.testmode && m_state.testKind == TestKind::Manual)
            m_test->revealAnswer();
    };
}

std::pair<int, int> Form1::judgedCounts(bool afterTest) const
{
    return m_getList->judgedCounts(afterTest);
}

std::optional<TestChoice> Form1::runTestDialog(const TestSetupInput& input)
{
    Dialog dialog(input, settingsPath(), m_ctx.platform, this);
    dialog.adjustSize();
    const bool stickOn = m_menus->action(QStringLiteral("mbou"))->isChecked();
    const QWidget* strip = m_stick->strip();
    const QPoint anchor = stickOn && strip ? strip->pos() : pos();
    // Placed as on a screen whose corner is the origin, then moved onto the real one.
    const QRect screen = m_ctx.platform.screenGeometry(this);
    dialog.move(testDialogPosition(anchor - screen.topLeft(), stickOn, dialog.size(),
                    QRect(QPoint(0, 0), screen.size()))
        + screen.topLeft());
    // Above the always-on-top tool windows, like every dialog of the main screen.
    if (m_stick->shown() || paletteOnTop() || externalShown())
        m_ctx.platform.setTopmost(&dialog, true);
    dialog.exec();
    raiseToolWindows();
    if (dialog.cancelled())
        return std::nullopt;
    return dialog.choice();
}

void Form1::StartTest()
{
    if (m_set.path.isEmpty()) {
        m_problems->OpenProblemFile();
        if (m_set.path.isEmpty())
            return;
    }
    if (m_state.testmode)
        return;
    // The count of 【復】 is not known while the schedule is still being made: the set-up
    // opens at once, and the count is checked once the user has chosen.
    TestSetupInput input {m_c.kikitori->isChecked(), m_c.rev->isChecked(), m_c.tsec->currentText(),
        m_c.ketamin->currentText(), m_c.ketamax->currentText(), m_set.notYetCount,
        m_set.memorizedCount, m_set.redCount, m_reviewWatcher ? -1 : int(m_set.dueList.size())};
    const std::optional<TestChoice> choice = chooseTestSetup(input);
    if (!choice)
        return;
    if (input.dueCount < 0 && choice->kind != TestKind::Number
        && choice->rangeIndex == int(RangeFilter::Review)) {
        awaitReviewSchedule();
        input.dueCount = int(m_set.dueList.size());
        if (const auto refusal = validateTestSetup(
                *choice, input.notYetCount, input.memorizedCount, input.redCount, input.dueCount)) {
            m_ctx.platform.showMessage(this, refusal->text, refusal->icon, MessageButtons::Ok);
            return;
        }
    }
    if (!settleUnsavedWork(this))
        return;
    // A GET test ends first (its reload does it), so that the order option the test
    // keeps for its end is the user's, not the GET test's.
    if (m_getTest->running()) {
        if (Result<bool> reloaded = m_problems->ReloadProblemFile(); !reloaded) {
            m_ctx.platform.showMessage(
                this, errorText(reloaded.error()), MessageIcon::Error, MessageButtons::Ok);
            return;
        }
    } else
        m_getTest->ResetGetTestControls();
    // The study before the test was a session of its own.
    endStudyRun();
    m_lastTest = *choice;
    m_test->applyChoice(*choice);
    // The last test's results go; this test's list starts empty.
    m_test->takeDownTestDisplay();
    if (choice->kind != TestKind::Number)
        m_problems->rangeChosen(rangeFromIndex(choice->rangeIndex));
    closeAndEmptyDatabaseLists();
    if (DBgamen* screen = databaseScreen())
        screen->clearResultComment();
    m_state.resultsSaved = false;
    m_getList->clear(false);
    focusGetList();
    m_c.nPickzencheck->hide();
    m_c.nPickzencheckhazusi->hide();
    m_c.typec->setChecked(false);
    m_test->begin();
}

void Form1::fillResultListsFromTest()
{
    QList<ListEntry> testList;
    testList.reserve(m_getList->count());
    for (const GetEntry& e : m_getList->shadow())
        testList.append({e.key, e.red, e.checked, e.line});
    FillResultLists(testList, m_state.options.delimiter, databaseList(true), databaseList(false));
}

void Form1::ShowTestResults()
{
    // Only a finished test's judgements are results: the GET list of a study, or a number
    // test's list, must never reach the result view and its save.
    if (m_getList->isEmpty() || m_state.testmode || !m_state.testResultsHeld
        || m_state.testKind == TestKind::Number)
        return;
    DBgamen& screen = ensureDatabaseScreen();
    fillResultListsFromTest();
    markListsSettled();
    screen.UpdateListCounts();
    m_test->RecountFromChecks(true);
    m_test->ComposeScoreText();
    chooseResultComment(screen);
    // Something answered: the results may be saved, under the title their save takes.
    const TestSession& t = m_test->session();
    if (t.correctCount + t.wrongCount > 0) {
        if (const std::optional<QString> title = saveTitle(m_state.saveRequest,
                m_range.current.value_or(RangeFilter::NotYet), m_state.overwriteChoice))
            m_state.saveTitle = *title;
    }
    screen.showAsResults();
    screen.show();
    screen.raise();
    screen.activateWindow();
}

void Form1::RebuildTestListFromResults()
{
    std::vector<GetEntry> entries;
    for (const bool correct : {true, false}) {
        for (const DbEntry& e : databaseList(correct).allEntries())
            entries.push_back({e.text, correct, e.red, e.question, e.answer, e.line});
    }
    m_getList->setShadow(std::move(entries));
    m_test->RecountFromChecks(true);
    m_test->ComposeScoreText();
    if (DBgamen* screen = databaseScreen())
        chooseResultComment(*screen);
}

void Form1::chooseResultComment(DBgamen& screen)
{
    const TestSession& t = m_test->session();
    screen.ChooseResultComment(
        correctRate(t.correctCount, t.wrongCount), t.correctCount + t.wrongCount, t.itemTotal);
}

} // namespace keruna
