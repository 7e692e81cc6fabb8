#pragma once

#include "common/result.h"
#include "common/textfile.h"
#include "problemdata/problemset.h"

#include <QString>

namespace keruna {

// A word list that passed the check: its decoded lines, ready to load without reading
// the file a second time.
struct CheckedProblemFile {
    QString path;
    TextLines text;
};

// Refuses, before anything loaded changes: a file that cannot be read (53, 70, 75),
// bytes that are not text (NUL, invalid encoding), no non-blank line (1), and more than
// 20000 lines as counted while reading: blank lines give their count back, so a 20000th
// non-blank line followed by any further line is refused too (9).
Result<CheckedProblemFile> CheckProblemFile(const QString& path);

// Fills an emptied set from checked lines.
void fillProblemSet(ProblemSet& set, const CheckedProblemFile& file);

// Reads the file again and fills the emptied set (reloads after a save, a test, ...).
// The same checks apply; on error the set stays empty.
Result<bool> LoadProblemFile(ProblemSet& set, const QString& path);

} // namespace keruna
