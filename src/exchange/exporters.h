#pragma once

#include "problemdata/saveprogress.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace keruna {

// One item as another tool takes it.
struct ExportItem {
    QString question;
    QString answer;
    bool memorized = false;
    bool red = false; // needs check
};

// The items of records (item text and mark code) split at the delimiter: the first column
// is the question, the second the answer.
QList<ExportItem> exportItems(const QStringList& records, const QString& delimiter);
// The items of an export subset of the database screen's lists: the left list's entries
// memorized, the right list's not yet.
QList<ExportItem> exportItems(const QList<ListEntry>& left, const QList<ListEntry>& right,
    ExportSet set, const QString& delimiter);

// Anki's notes in plain text (UTF-8): header lines saying the separator and the columns,
// question, answer and the marks as tags (未暗記 or 暗記済, and 要チェック).
QByteArray ankiNotes(const QList<ExportItem>& items);
// KDE Parley's kvtml 2: two languages, 問題 and 答え, one entry an item.
QByteArray kvtmlDocument(const QList<ExportItem>& items, const QString& title);

} // namespace keruna
