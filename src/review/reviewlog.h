#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

namespace keruna {

// One judged item of a test: when, which list (its absolute path), the item text as the
// GET list keys it, right or wrong, and the kind of test ("automatic", "manual", "get").
struct ReviewRecord {
    QDate date;
    QTime time;
    QString list;
    QString item;
    bool right = false;
    QString test;

    bool operator==(const ReviewRecord&) const = default;
};

struct ReviewRead {
    QList<ReviewRecord> records; // in the order they were appended
    int damaged = 0; // lines that are no record, skipped
};

// The learner's judgements, kept to schedule reviews: keruna-reviews.csv beside
// Settei.ini, with the learning history's rules (UTF-8, a header, one unbuffered append
// per test end, never rewritten by an append, a torn last line skipped, a damaged line
// skipped and counted). The word list itself never learns of it. Losing it never stops
// a test: a log that cannot be written is off for the session, with one notice.
class ReviewLog {
    Q_DECLARE_TR_FUNCTIONS(ReviewLog)

public:
    explicit ReviewLog(QString path);
    static QString besideSettings(const QString& settingsPath);

    const QString& path() const { return m_path; }
    // All of a test's judgements in one write.
    bool append(const QList<ReviewRecord>& records);
    bool isOff() const { return !m_notice.isEmpty(); }
    const QString& notice() const { return m_notice; }

    // The records of one list (all of them with an empty list), and every damaged line.
    ReviewRead read(const QString& list = {}) const;
    // The same from byte offset on; end is where the last whole line ended, for the next
    // read to start (the log only grows, but for a clearing, which makes it shorter).
    ReviewRead readFrom(qint64 offset, const QString& list, qint64* end) const;
    static ReviewRead parse(const QByteArray& bytes, const QString& list = {});

private:
    QString m_path;
    QString m_notice;
};

QByteArray reviewHeader();
QByteArray reviewLine(const ReviewRecord& record);

} // namespace keruna
