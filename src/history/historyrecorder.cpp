#include "history/historyrecorder.h"

#include "common/clock.h"
#include "getlist/gettest.h"
#include "history/historychart.h"
#include "history/historyevent.h"
#include "history/historyfile.h"
#include "problemdata/problemrecord.h"
#include "quiz/testscore.h"
#include "review/reviewlog.h"

#include <QDateTime>
#include <QFileInfo>

namespace keruna {

namespace {

// The history names a test kind as its charts do: the three of the main screen in their
// own order, then the GET test.
static_assert(size_t(TestKind::Automatic) == 0 && size_t(TestKind::Manual) == 1
    && size_t(TestKind::Number) == 2);
constexpr size_t kGetTestKind = 3;

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

HistoryRecorder::HistoryRecorder(HistoryFile& history, ReviewLog& reviews, Clock& clock)
    : m_history(history)
    , m_reviews(reviews)
    , m_clock(clock)
{
}

void HistoryRecorder::append(const HistoryEvent& event)
{
    m_history.append(event);
    if (appended)
        appended();
}

void HistoryRecorder::studyRunning(bool running, const QString& list, bool testActive)
{
    if (testActive)
        return;
    if (running) {
        if (m_run.running && m_run.list == list)
            return;
        endStudyRun();
        m_run = {true, list, m_clock.secondsSinceMidnight(), 0};
        return;
    }
    endStudyRun();
}

void HistoryRecorder::studyItemShown(const QString& list, bool testActive)
{
    // The session before a test ends with the test's first item.
    if (testActive) {
        endStudyRun();
        return;
    }
    // Items shown after a session ended without a pause (a list opened during study)
    // begin the next one.
    if (!m_run.running || m_run.list != list)
        studyRunning(true, list, false);
    ++m_run.shown;
}

void HistoryRecorder::endStudyRun()
{
    if (!m_run.running)
        return;
    m_run.running = false;
    double seconds = m_clock.secondsSinceMidnight() - m_run.start;
    if (seconds < 0)
        seconds += 24 * 60 * 60; // past midnight
    if (m_run.shown == 0 || m_run.list.isEmpty())
        return;
    HistoryEvent e = eventNow(HistoryKind::Study, m_run.list);
    e.minutes = seconds / 60;
    e.shown = m_run.shown;
    append(e);
}

void HistoryRecorder::recordSave(const QString& path, const QStringList& written)
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
    append(e);
}

void HistoryRecorder::recordTest(
    const QString& list, const TestRecord& test, const JudgedItems& judged)
{
    const bool number = test.kind == TestKind::Number;
    HistoryEvent e = eventNow(HistoryKind::Test, list);
    e.testKind = QString::fromLatin1(kHistoryTestKinds[size_t(test.kind)]);
    e.listening = test.listening && !number;
    e.typed = test.typed;
    e.reverse = test.reverse && !number;
    if (!number) {
        e.range = rangeStoredLabel(test.range);
        e.items = test.items;
    }
    e.correct = test.correct;
    e.wrong = test.wrong;
    e.answered = e.correct + e.wrong;
    e.rate = correctRate(e.correct, e.wrong);
    append(e);
    if (!number)
        recordReviews(list, judged, kHistoryTestKinds[size_t(test.kind)]);
}

void HistoryRecorder::recordGetTest(const QString& list, std::optional<RangeFilter> range, int got,
    int total, int shown, const JudgedItems& judged)
{
    HistoryEvent e = eventNow(HistoryKind::Test, list);
    e.testKind = QString::fromLatin1(kHistoryTestKinds[kGetTestKind]);
    e.range = range ? rangeStoredLabel(*range) : QString();
    e.items = total;
    e.answered = shown;
    const GetTestScore score = getTestScore(got, total);
    e.correct = score.correct;
    e.wrong = score.wrong;
    e.rate = score.rate;
    append(e);
    recordReviews(list, judged, kHistoryTestKinds[kGetTestKind]);
}

void HistoryRecorder::recordReviews(
    const QString& list, const JudgedItems& judged, const char* test)
{
    if (judged.isEmpty() || list.isEmpty())
        return;
    const QDateTime now = m_clock.now();
    const QString path = QFileInfo(list).absoluteFilePath();
    QList<ReviewRecord> records;
    records.reserve(judged.size());
    for (const auto& [item, right] : judged)
        records.append({now.date(), now.time(), path, item, right, QString::fromLatin1(test)});
    m_reviews.append(records);
}

} // namespace keruna
