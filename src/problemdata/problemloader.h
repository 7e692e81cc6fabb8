#pragma once

#include "common/result.h"
#include "problemdata/problemset.h"

#include <QString>

namespace keruna {

// Reads and checks a word list into a set of its own, so that nothing loaded changes
// unless the whole file passed. Refused: a file that cannot be read (53, 70, 75), bytes
// that are not text (NUL, invalid encoding), no non-blank line (1), and more than 20000
// lines as counted while reading: blank lines give their count back, so a 20000th
// non-blank line followed by any further line is refused too (9).
Result<ProblemSet> CheckProblemFile(const QString& path);

// Reads the file into the emptied set (reloads after a save, a test, ...). Unlike the
// check, a file without items is no error here: it loads as an empty list. On error the
// set stays as it was.
Result<bool> LoadProblemFile(ProblemSet& set, const QString& path);

} // namespace keruna
