#pragma once

#include "mainscreen/testkind.h"
#include "problemdata/range.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace keruna {

class Clock;
class HistoryFile;
class ReviewLog;
struct HistoryEvent;

// Each judged item of a test (its item text) and whether it was right.
using JudgedItems = QList<std::pair<QString, bool>>;

// A test that ended, as the history keeps it.
struct TestRecord {
    TestKind kind = TestKind::Automatic;
    bool listening = false;
    bool typed = false;
    bool reverse = false;
    RangeFilter range = RangeFilter::All;
    int items = 0; // the range's size
    int correct = 0;
    int wrong = 0;
};

// What the learner does, written to the learning history and the review log as it
// happens: study sessions, tests, GET tests and saves. Losing the history never stops a
// study, a test or a save.
class HistoryRecorder {
public:
    HistoryRecorder(HistoryFile& history, ReviewLog& reviews, Clock& clock);

    // After each event written (an open history window shows it at once).
    std::function<void()> appended;

    // Study runs from Start or resume to a pause, a new list, a test or the end; a test
    // (the GET test too) is not study.
    void studyRunning(bool running, const QString& list, bool testActive);
    void studyItemShown(const QString& list, bool testActive);
    void endStudyRun();
    // A save wrote these lines (its marks changed, or it went to another file).
    void recordSave(const QString& path, const QStringList& written);
    // The judged items of every test but the number test go to the review log too.
    void recordTest(const QString& list, const TestRecord& test, const JudgedItems& judged);
    // got of total, shown items seen; judged: the items shown, got is right.
    void recordGetTest(const QString& list, std::optional<RangeFilter> range, int got, int total,
        int shown, const JudgedItems& judged);

private:
    void append(const HistoryEvent& event);
    void recordReviews(const QString& list, const JudgedItems& judged, const char* test);

    HistoryFile& m_history;
    ReviewLog& m_reviews;
    Clock& m_clock;
    struct StudyRun {
        bool running = false;
        QString list;
        double start = 0; // seconds since midnight
        int shown = 0;
    } m_run;
};

} // namespace keruna
