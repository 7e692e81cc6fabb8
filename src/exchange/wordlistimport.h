#pragma once

#include "exchange/importtable.h"

#include <QString>
#include <QStringList>

namespace keruna {

// The lines of a new word list made from a table: the question column, the delimiter, the
// answer column (none when answer is -1), one line a row, no mark (every item not yet
// memorized).
struct WordListImport {
    QStringList lines;
    // Rows whose fields had to change to stay one item: a delimiter inside a field, a line
    // break, an end that would read as a mark code.
    int madeSafe = 0;
    int emptyQuestion = 0; // rows skipped
};
WordListImport wordListFromTable(
    const ImportTable& table, int question, int answer, const QString& delimiter);

// "n 件を読み込みました。" and what was changed or skipped.
QString importSummary(const WordListImport& imported);

} // namespace keruna
