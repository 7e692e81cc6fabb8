#include "problemdata/problemloader.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace keruna {

namespace {

// The user sees these under the usual error numbers; the standard texts of 1 and 9 say
// nothing about the file.
AppError noItemsError()
{
    return AppError::withText(ErrorNumber::ApplicationDefined,
        QCoreApplication::translate("ProblemLoader",
            "このファイルには問題がありません。空のファイルか、空行だけのファイルです。"));
}

AppError tooManyItemsError()
{
    return AppError::withText(ErrorNumber::IndexOutOfRange,
        QCoreApplication::translate("ProblemLoader",
            "問題が多すぎます。1つのファイルに入れられる問題は%1個までです"
            "（%1個目の後には空行も置けません）。")
            .arg(ProblemSet::kCapacity));
}

AppError lineTooLongError(int line, qsizetype length)
{
    return AppError::withText(ErrorNumber::ApplicationDefined,
        QCoreApplication::translate(
            "ProblemLoader", "%1行目が長すぎます（%2文字）。1行に書けるのは%3文字までです。")
            .arg(line)
            .arg(length)
            .arg(ProblemSet::kMaxLineLength));
}

Result<ProblemSet> readProblemFile(const QString& path, bool requireItems)
{
    Result<DecodedText> decoded = readText(path, ProblemSet::kMaxFileBytes);
    if (!decoded)
        return decoded.error();
    ProblemSet set;
    set.path = path;
    set.encoding = decoded.value().encoding;
    const QString& text = decoded.value().text;
    set.lfOnly = text.contains(u'\n') && !text.contains(u'\r');
    const QFileInfo info(path);
    set.loadedSize = info.size();
    set.loadedModified = info.lastModified();
    int count = 0;
    int lineNumber = 0;
    bool tooMany = false;
    std::optional<AppError> tooLong;
    forEachLine(decoded.value().text, [&](QStringView line) {
        ++lineNumber;
        if (tooMany || tooLong)
            return;
        if (line.size() > ProblemSet::kMaxLineLength) {
            tooLong = lineTooLongError(lineNumber, line.size());
            return;
        }
        if (++count > ProblemSet::kCapacity) {
            tooMany = true;
            return;
        }
        if (line.isEmpty())
            --count;
        else
            set.addLine(line);
    });
    if (tooLong)
        return *tooLong;
    if (tooMany)
        return tooManyItemsError();
    if (count == 0 && requireItems)
        return noItemsError();
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
