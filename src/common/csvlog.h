#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QTime>

namespace keruna {

// The program's append-only logs beside Settei.ini (the learning history, the review
// log): UTF-8 CSV, a header line, one record a line. Several copies of the program may
// append at once; a line torn by a kill is skipped on reading, and a line that is not a
// record is counted, never fatal.

// Adds a field to a line being built, after a comma unless it is the first; quoted when
// it holds a comma or a quote.
void appendCsvField(QByteArray& out, QByteArrayView field);

// Splits a line into exactly count fields; false when a quote is left open or the count
// is wrong. Plain fields are views into the line; a quoted one is unescaped into
// quoted[k], which the view then points into.
bool splitCsvFields(QByteArrayView line, QByteArrayView* views, QByteArray* quoted, int count);

// "2026-12-08T09:30:05", as the logs write a local time. Reading it refuses a year the
// program never ran in (before 2000, after next year): such a line is damaged, and it
// would stretch a chart, or put a review, centuries away.
QByteArray logTimeText(const QDate& date, const QTime& time);
bool parseLogTime(QByteArrayView text, QDate& date, QTime& time);

enum class LogAppend { Done, CannotOpen, CannotWrite };

// Appends lines (each ending in '\n') in one unbuffered write under the file's lock, the
// header first when the file is new. A write cut short (a full disk) is taken back to
// where it began, so that no fragment becomes a damaged line in the middle of the file.
// why: the system's reason when the file could not be opened.
LogAppend appendLogLines(
    const QString& path, const QByteArray& header, const QByteArray& lines, QString* why = nullptr);

// Each whole line of a log's bytes, without its line end; empty lines and headers (one
// may stand in the middle where two programs began the file at once) are left out, and
// so is a last line with no end (torn).
template <class F> void forEachLogLine(const QByteArray& bytes, const QByteArray& header, F&& f)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break;
        QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line == header)
            continue;
        f(line);
    }
}

} // namespace keruna
