#include "app/form1.h"

#include "common/clock.h"
#include "getlist/getlist.h"
#include "getlist/gettest.h"
#include "history/historychart.h"
#include "history/historyfile.h"
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

// The history names a test kind as its charts do: the three of the main screen in their
// own order, then the GET test.
static_assert(size_t(TestKind::Automatic) == 0 && size_t(TestKind::Manual) == 1
    && size_t(TestKind::Number) == 2);
constexpr size_t kGetTestKind = 3;

namespace {

HistoryEvent eventNow(HistoryKind kind, const QString& list)
{
    const QDateTime now = QDateTime::currentDateTime();
    HistoryEvent e;
    e.date = now.date();
    e.time = now.time();
    e.kind = kind;
    e.list = list;
    return e;
}

} // namespace

void Form1::wireHistory()
{
    m_history = std::make_unique<HistoryFile>(HistoryFile::besideSettings(settingsPath()));
    m_reviews = std::make_unique<ReviewLog>(ReviewLog::besideSettings(settingsPath()));
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
    QList<int> perDay;
    if (list == m_set.path && !m_set.reviewDays.isEmpty()) {
        perDay.fill(0, kDays);
        const qint64 first = reviewDay(today);
        for (const QString& record : m_set.memorizedList) {
            const auto due = m_set.reviewDays.constFind(itemTextOf(record));
            if (due != m_set.reviewDays.constEnd() && *due - first < kDays)
                ++perDay[int(std::max<qint64>(0, *due - first))];
        }
    }
    m_historyWindow->setReviews(today, perDay, m_reviewDamaged);
}

ReviewLog& Form1::reviews()
{
    return *m_reviews;
}

void Form1::recordReviews(const QList<std::pair<QString, bool>>& judged, const char* test)
{
    if (judged.isEmpty() || m_set.path.isEmpty())
        return;
    const QDateTime now = m_ctx.clock.now();
    const QString list = QFileInfo(m_set.path).absoluteFilePath();
    QList<ReviewRecord> records;
    records.reserve(judged.size());
    for (const auto& [item, right] : judged)
        records.append({now.date(), now.time(), list, item, right, QString::fromLatin1(test)});
    m_reviews->append(records);
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

void Form1::appendHistory(const HistoryEvent& event)
{
    m_history->append(event);
    // An open window shows the new event at once.
    if (m_historyWindow && m_historyWindow->isVisible())
        m_historyWindow->refresh();
}

void Form1::recordSave(const QString& path, const QStringList& written)
{
    HistoryEvent e = eventNow(HistoryKind::Save, path);
    // Counted as a load counts them.
    for (const QString& line : written) {
        if (line.isEmpty())
            continue;
        const MarkCode code = writtenCodeOf(line);
        ++(isMemorizedCode(code) ? e.memorized : e.notYet);
        e.red += isRedCode(code) ? 1 : 0;
    }
    appendHistory(e);
}

void Form1::recordTest()
{
    const TestSession& t = m_test->session();
    m_testedList = m_set.path;
    HistoryEvent e = eventNow(HistoryKind::Test, m_set.path);
    e.testKind = QString::fromLatin1(kHistoryTestKinds[size_t(m_state.testKind)]);
    e.listening = t.listening && m_state.testKind != TestKind::Number;
    e.typed = m_lastTest.typedInput;
    e.reverse = m_lastTest.reverse && m_state.testKind != TestKind::Number;
    if (m_state.testKind != TestKind::Number) {
        e.range = rangeStoredLabel(t.range);
        e.items = t.itemTotal;
    }
    e.correct = t.correctCount;
    e.wrong = t.wrongCount;
    e.answered = e.correct + e.wrong;
    e.rate = correctRate(e.correct, e.wrong);
    appendHistory(e);
    // Each item judged so far, as the test list holds it: checked is right.
    if (m_state.testKind != TestKind::Number) {
        QList<std::pair<QString, bool>> judged;
        for (const GetEntry& entry : m_getList->shadow())
            judged.append({entry.key, entry.checked});
        recordReviews(judged, kHistoryTestKinds[size_t(m_state.testKind)]);
    }
}

void Form1::recordGetTest(int got, int total, int shown)
{
    HistoryEvent e = eventNow(HistoryKind::Test, m_set.path);
    e.testKind = QString::fromLatin1(kHistoryTestKinds[kGetTestKind]);
    e.range = m_range.current ? rangeStoredLabel(*m_range.current) : QString();
    e.items = total;
    e.answered = shown;
    const GetTestScore score = getTestScore(got, total);
    e.correct = score.correct;
    e.wrong = score.wrong;
    e.rate = score.rate;
    appendHistory(e);
    // The items shown: got is right, shown and not got is wrong.
    const StudySession& s = m_study->session();
    QList<std::pair<QString, bool>> judged;
    for (int i = 0; i < shown && i < s.getTestOrder.size(); ++i) {
        const QString key = itemTextOf(s.getTestOrder[i]);
        judged.append({key, m_getList->contains(key)});
    }
    recordReviews(judged, kHistoryTestKinds[kGetTestKind]);
}

void Form1::studyRunning(bool running)
{
    if (m_state.testmode || m_study->session().getTestRunning)
        return;
    if (running) {
        if (m_studyRun.running && m_studyRun.list == m_set.path)
            return;
        endStudyRun();
        m_studyRun = {true, m_set.path, m_ctx.clock.secondsSinceMidnight(), 0};
        return;
    }
    endStudyRun();
}

void Form1::studyItemShown()
{
    // A test (the GET test too) is not study: the session before it ends with its first
    // item.
    if (m_state.testmode || m_study->session().getTestRunning) {
        endStudyRun();
        return;
    }
    // Items shown after a session ended without a pause (a list opened during study)
    // begin the next one.
    if (!m_studyRun.running || m_studyRun.list != m_set.path)
        studyRunning(true);
    ++m_studyRun.shown;
}

void Form1::endStudyRun()
{
    if (!m_studyRun.running)
        return;
    m_studyRun.running = false;
    double seconds = m_ctx.clock.secondsSinceMidnight() - m_studyRun.start;
    if (seconds < 0)
        seconds += 24 * 60 * 60; // past midnight
    if (m_studyRun.shown == 0 || m_studyRun.list.isEmpty())
        return;
    HistoryEvent e = eventNow(HistoryKind::Study, m_studyRun.list);
    e.minutes = seconds / 60;
    e.shown = m_studyRun.shown;
    appendHistory(e);
}

} // namespace keruna
