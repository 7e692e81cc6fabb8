#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QTime>

#include <optional>

namespace keruna {

// What the learner did, one line of the learning history each.
enum class HistoryKind {
    Test, // a test ended (also one ended early)
    Save, // a save changed the marks of a list
    Study, // a study session ran from Start to its pause, a new list, a test or the end
};

// One event. Times are local and kept as date and time of day: the history is read as the
// learner lived it, whatever time zone the machine is in later.
struct HistoryEvent {
    QDate date;
    QTime time;
    HistoryKind kind = HistoryKind::Test;
    QString list; // absolute path of the word list

    // Test
    QString testKind; // "automatic", "manual", "number" or "get"
    bool listening = false;
    bool typed = false;
    bool reverse = false;
    QString range; // as the title shows it: 【未】【覚】【要】【全】
    int items = 0; // in the range
    int answered = 0;
    int correct = 0;
    int wrong = 0;
    int rate = 0; // whole percent, as shown

    // Save: the list's counts after it
    int notYet = 0;
    int memorized = 0;
    int red = 0;

    // Study
    double minutes = 0; // running time, pauses left out
    int shown = 0; // items shown

    bool operator==(const HistoryEvent&) const = default;
};

// The first line of the history file: the names of the columns of every line.
QByteArray historyHeader();

// The event as one line of comma-separated values (UTF-8, no line end). Text fields are
// quoted where they need it; a line break in a path cannot be kept on one line and becomes
// a space.
QByteArray historyLine(const HistoryEvent& event);

// Reads one line (without its line end); nullopt when it is not a whole, valid event.
// paths, when given, shares one string for each list named.
std::optional<HistoryEvent> parseHistoryLine(
    QByteArrayView line, QHash<QByteArray, QString>* paths = nullptr);

// The short Japanese text that tells an event in the window: "テスト 自動 【未】 28/30 正解率
// 93％".
QString historyKindText(const HistoryEvent& event);
QString historySummary(const HistoryEvent& event);
// 2026/12/07 17:21
QString historyDateText(const HistoryEvent& event);

} // namespace keruna
