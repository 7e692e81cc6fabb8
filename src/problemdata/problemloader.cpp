#include "problemdata/problemloader.h"

namespace keruna {

namespace {

std::optional<AppError> checkLineCount(const QStringList& lines)
{
    int count = 0;
    for (const QString& line : lines) {
        ++count;
        if (count > ProblemSet::kCapacity)
            return AppError::of(ErrorNumber::IndexOutOfRange);
        if (line.isEmpty())
            --count;
    }
    if (count == 0)
        return AppError::of(ErrorNumber::ApplicationDefined);
    return std::nullopt;
}

} // namespace

Result<CheckedProblemFile> CheckProblemFile(const QString& path)
{
    Result<TextLines> text = readTextFile(path);
    if (!text)
        return text.error();
    if (std::optional<AppError> error = checkLineCount(text.value().lines))
        return *error;
    return CheckedProblemFile{path, std::move(text).value()};
}

void fillProblemSet(ProblemSet& set, const CheckedProblemFile& file)
{
    set.path = file.path;
    set.encoding = file.text.encoding;
    const QStringList& lines = file.text.lines;
    set.rawLines.reserve(lines.size());
    set.allList.reserve(lines.size());
    for (const QString& line : lines) {
        if (!line.isEmpty())
            set.addLine(line);
    }
}

Result<bool> LoadProblemFile(ProblemSet& set, const QString& path)
{
    Result<CheckedProblemFile> file = CheckProblemFile(path);
    if (!file)
        return file.error();
    fillProblemSet(set, file.value());
    return true;
}

} // namespace keruna
