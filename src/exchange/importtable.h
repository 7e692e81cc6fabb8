#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace keruna {

// Fields read from another tool's file: its rows in order, the names of its columns where
// the file gives them, and the two columns that most likely hold the question and the
// answer (the first two that are not the tool's own bookkeeping).
struct ImportTable {
    QStringList columns;
    QList<QStringList> rows;
    int question = 0;
    int answer = 1; // -1: none (a table of one column)
};

// Anki's "notes in plain text" export: its header lines (#separator:, #html:, #columns:,
// and the columns it keeps for itself: guid, note type, deck, tags), fields quoted as in
// CSV with tabs and line breaks inside, HTML reduced to text.
Result<ImportTable> readAnkiNotes(const QString& text);
// Comma-, tab- or semicolon-separated values with RFC 4180 quoting; the separator is the
// one that splits the first lines into the same number of fields, most of them.
Result<ImportTable> readDelimited(const QString& text);
// KDE Parley's .kvtml (version 2): one column per language, one row per entry.
Result<ImportTable> readKvtml(const QByteArray& bytes);

// Anki's export starts with one of its own header lines ("#separator:tab" and the like):
// a spreadsheet's first cell may start with "#" too, and its rows are no headers.
bool startsWithAnkiHeader(QStringView text);
// The table of a file, by what it holds: kvtml XML, Anki's header lines, or values
// separated by commas, tabs or semicolons (in Shift-JIS or UTF-8).
Result<ImportTable> readImportFile(const QString& path);

// HTML as plain text: tags dropped, line-breaking ones as line breaks, entities read.
QString htmlToText(const QString& html);

// Rows of fields separated by sep, quoted fields as RFC 4180 has them (separators, line
// breaks and doubled quotes inside). Blank lines are no rows.
QList<QStringList> splitDelimited(QStringView text, QChar sep);

} // namespace keruna
