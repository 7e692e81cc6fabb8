#include "app/form1.h"

#include "common/clock.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "history/historychart.h"
#include "history/historyfile.h"
#include "history/historyrecorder.h"
#include "history/historywindow.h"
#include "mainscreen/mainmenus.h"
#include "problemdata/problemrecord.h"
#include "problemdata/range.h"
#include "quiz/testengine.h"
#include "quiz/testscore.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"
#include "study/studyengine.h"
#include "ui/platform.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>

// Form1: the learning history. Events are appended as they happen; losing the history
// never stops a study, a test or a save.
namespace keruna {

void Form1::wireHistory()
{
    m_history = std::make_unique<HistoryFile>(HistoryFile::besideSettings(settingsPath()));
    m_reviews = std::make_unique<ReviewLog>(ReviewLog::besideSettings(settingsPath()));
    m_recorder = std::make_unique<HistoryRecorder>(*m_history, *m_reviews, m_ctx.clock);
    // An open window shows each new event at once.
    m_recorder->appended = [this] {
        if (m_historyWindow && m_historyWindow->isVisible())
            m_historyWindow->refresh();
    };
    m_menus->onCommand(QStringLiteral("mrireki"), [this] { showHistory(m_set.path); });
}

HistoryFile& Form1::history()
{
    return *m_history;
}

void Form1::updateReviewForecast(const QString& list)
{
    if (!m_historyWindow)
        return;
    constexpr int kDays = 30;
    const QDate today = m_ctx.clock.now().date();
    const QList<int> perDay = list == m_set.path && !m_set.reviewDays.isEmpty()
        ? reviewForecast(m_set.memorizedList, m_set.reviewDays, today, kDays)
        : QList<int>();
    m_historyWindow->setReviews(today, perDay, m_reviewDamaged);
}

ReviewLog& Form1::reviews()
{
    return *m_reviews;
}

HistoryWindow* Form1::historyWindow() const
{
    return m_historyWindow;
}

void Form1::showHistory(const QString& list)
{
    if (!m_historyWindow) {
        // No owner: a window of its own, which may go behind the main window.
        m_historyWindow = new HistoryWindow(*m_history, m_ctx.platform);
        m_historyWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    // The list first, so that the file is read and drawn once.
    m_historyWindow->setList(list, false);
    updateReviewForecast(list);
    m_historyWindow->refresh();
    if (m_menus->action(QStringLiteral("mmae"))->isChecked())
        m_ctx.platform.setTopmost(m_historyWindow, true);
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void Form1::recordSave(const QString& path, const QStringList& written)
{
    m_recorder->recordSave(path, written);
}

void Form1::recordTest()
{
    const TestSession& t = m_test->session();
    m_testedList = m_set.path;
    TestRecord record;
    record.kind = m_state.testKind;
    record.listening = t.listening;
    record.typed = m_lastTest.typedInput;
    record.reverse = m_lastTest.reverse;
    record.range = t.range;
    record.items = t.itemTotal;
    record.correct = t.correctCount;
    record.wrong = t.wrongCount;
    // Each item judged so far, as the test list holds it: checked is right.
    JudgedItems judged;
    for (const GetEntry& entry : m_getList->shadow())
        judged.append({entry.key, entry.checked});
    m_recorder->recordTest(m_set.path, record, judged);
}

void Form1::recordGetTest(int got, int total, int shown)
{
    // The items shown: got is right, shown and not got is wrong.
    const StudySession& s = m_study->session();
    JudgedItems judged;
    for (int i = 0; i < shown && i < s.getTestOrder.size(); ++i) {
        const QString key = itemTextOf(s.getTestOrder[i]);
        judged.append({key, m_getList->contains(key)});
    }
    m_recorder->recordGetTest(m_set.path, m_range.current, got, total, shown, judged);
}

bool Form1::testOrGetTestActive() const
{
    return m_state.testmode || m_study->session().getTestRunning;
}

void Form1::studyRunning(bool running)
{
    m_recorder->studyRunning(running, m_set.path, testOrGetTestActive());
}

void Form1::studyItemShown()
{
    m_recorder->studyItemShown(m_set.path, testOrGetTestActive());
}

void Form1::endStudyRun()
{
    m_recorder->endStudyRun();
}

} // namespace keruna
