#include "problemdata/problemloader.h"

namespace keruna {

namespace {

Result<ProblemSet> readProblemFile(const QString& path, bool requireItems)
{
    Result<DecodedText> decoded = readText(path);
    if (!decoded)
        return decoded.error();
    ProblemSet set;
    set.path = path;
    set.encoding = decoded.value().encoding;
    int count = 0;
    bool tooMany = false;
    forEachLine(decoded.value().text, [&](QStringView line) {
        if (tooMany || ++count > ProblemSet::kCapacity) {
            tooMany = true;
            return;
        }
        if (line.isEmpty())
            --count;
        else
            set.addLine(line);
    });
    if (tooMany)
        return AppError::of(ErrorNumber::IndexOutOfRange);
    if (count == 0 && requireItems)
        return AppError::of(ErrorNumber::ApplicationDefined);
    return set;
}

} // namespace

Result<ProblemSet> CheckProblemFile(const QString& path)
{
    return readProblemFile(path, true);
}

Result<bool> LoadProblemFile(ProblemSet& set, const QString& path)
{
    Result<ProblemSet> loaded = readProblemFile(path, false);
    if (!loaded)
        return loaded.error();
    set = std::move(loaded).value();
    return true;
}

} // namespace keruna
