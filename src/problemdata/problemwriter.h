#pragma once

#include "common/apperror.h"
#include "problemdata/problemset.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace keruna {

// The loaded file was changed, replaced or removed by another program since it was loaded.
bool changedOnDisk(const ProblemSet& loaded);

// Writes a save's lines to path, one result for each loaded line (an empty result is not
// written), in the loaded file's encoding (with its BOM) and line ends, all or nothing.
//
// Code page 932 has characters with two byte forms, so text that is decoded and encoded
// again can come out as other bytes. While the loaded file is as it was loaded, a line
// whose text did not change is written from the bytes it was read from, and a line whose
// mark changed keeps the bytes of its item text; only the new mark is encoded. A
// character the encoding cannot hold refuses the whole save, naming its line.
std::optional<AppError> writeProblemLines(
    const QString& path, const ProblemSet& loaded, const QStringList& lines);

// Writes a new list (an export) in the encoding and line ends of the loaded one.
std::optional<AppError> writeNewList(
    const QString& path, const ProblemSet& like, const QStringList& lines);

} // namespace keruna
