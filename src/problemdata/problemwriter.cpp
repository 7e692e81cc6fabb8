#include "problemdata/problemwriter.h"

#include "problemdata/problemrecord.h"
#include "problemdata/saveprogress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace keruna {

namespace {

// The loaded file's non-blank lines as bytes, one for each loaded line.
struct LineBytes {
    QByteArray data;
    QList<QByteArrayView> lines; // into data
};

// The lines while the file is as it was loaded; nullopt otherwise.
std::optional<LineBytes> loadedLineBytes(const ProblemSet& loaded)
{
    if (loaded.path.isEmpty() || changedOnDisk(loaded))
        return std::nullopt;
    Result<QByteArray> bytes = readFileBytes(loaded.path);
    if (!bytes)
        return std::nullopt;
    std::optional<LineBytes> result(LineBytes {std::move(bytes).value(), {}});
    const QByteArray& data = result->data;
    result->lines.reserve(loaded.allList.size());
    qsizetype start
        = loaded.encoding == TextEncoding::Utf8Bom && data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    // CR and LF never occur inside a code page 932 or UTF-8 character.
    for (qsizetype i = start; i <= data.size(); ++i) {
        if (i < data.size() && data[i] != '\n' && data[i] != '\r')
            continue;
        if (i > start)
            result->lines.append(QByteArrayView(data).sliced(start, i - start));
        if (i + 1 < data.size() && data[i] == '\r' && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (result->lines.size() != loaded.allList.size())
        return std::nullopt;
    return result;
}

TextEncoding lineEncoding(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding;
}

// A line as loaded, from its record, without copying the text.
QStringView loadedLine(const QString& record)
{
    QStringView line(record);
    return line.endsWith(MarkSuffix::NotYet) ? line.chopped(MarkSuffix::kLength) : line;
}

// The written form of a mark code, or of no mark ("").
class MarkBytes {
public:
    explicit MarkBytes(TextEncoding encoding)
    {
        for (const QString& mark :
            {QString(), MarkSuffix::Memorized, MarkSuffix::MemorizedRed, MarkSuffix::NotYetRed})
            m_bytes.insert(mark, encodeText(mark, encoding).value_or(QByteArray()));
    }
    // nullopt for a text that is not a mark code.
    std::optional<QByteArray> of(QStringView mark) const
    {
        const auto it = m_bytes.constFind(mark.toString());
        return it == m_bytes.constEnd() ? std::nullopt : std::optional<QByteArray>(*it);
    }

private:
    QHash<QString, QByteArray> m_bytes;
};

QStringView markOf(QStringView line)
{
    return writtenCodeOf(line) == MarkCode::None ? QStringView() : line.last(MarkSuffix::kLength);
}

AppError unencodable(int line)
{
    return AppError::withText(ErrorNumber::ApplicationDefined,
        QCoreApplication::translate("ProblemWriter",
            "%1行目に、このファイルの文字コードで書けない文字があります。保存しませんでした。")
            .arg(line));
}

} // namespace

std::optional<AppError> writeNewList(
    const QString& path, const ProblemSet& like, const QStringList& lines)
{
    // Without a loaded file behind it every line is encoded from its text.
    ProblemSet format;
    format.encoding = like.encoding;
    format.lfOnly = like.lfOnly;
    return writeProblemLines(path, format, lines);
}

bool changedOnDisk(const ProblemSet& loaded)
{
    const QFileInfo info(loaded.path);
    return !info.isFile() || info.size() != loaded.loadedSize
        || info.lastModified() != loaded.loadedModified;
}

std::optional<AppError> writeProblemLines(
    const QString& path, const ProblemSet& loaded, const QStringList& lines)
{
    const std::optional<LineBytes> file = loadedLineBytes(loaded);
    const QList<QByteArrayView>* original = file ? &file->lines : nullptr;
    const TextEncoding encoding = lineEncoding(loaded.encoding);
    const MarkBytes marks(encoding);
    TextEncoder encoder(encoding);
    const QByteArray eol = loaded.lfOnly ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
    QByteArray out;
    // Most lines keep their bytes: one allocation for about the whole file.
    out.reserve(file ? file->data.size() + file->data.size() / 16 : 0);
    if (loaded.encoding == TextEncoding::Utf8Bom)
        out.append("\xEF\xBB\xBF", 3);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& text = lines[i];
        if (text.isEmpty())
            continue;
        const bool known = original && i < original->size();
        const QStringView before = known ? loadedLine(loaded.allList[i]) : QStringView();
        if (known && text == before) {
            out += (*original)[i];
            out += eol;
            continue;
        }
        const QStringView oldMark = markOf(before);
        const QStringView oldKey = before.chopped(oldMark.size());
        // The new mark is what follows the old item text, so that an item text that
        // itself ends in a mark code ("X,,○" of "X,,○,赤×") is never taken for one.
        const QStringView newMark = QStringView(text).sliced(std::min(oldKey.size(), text.size()));
        if (known && QStringView(text).startsWith(oldKey)) {
            // Only the mark changed: the item text keeps its bytes.
            const QByteArrayView line = (*original)[i];
            const std::optional<QByteArray> oldBytes = marks.of(oldMark);
            const std::optional<QByteArray> newBytes = marks.of(newMark);
            if (oldBytes && newBytes && line.endsWith(*oldBytes)) {
                out.append(line.constData(), line.size() - oldBytes->size());
                out += *newBytes;
                out += eol;
                continue;
            }
        }
        if (!encoder.appendTo(out, text))
            return unencodable(int(i) + 1);
        out += eol;
    }
    return writeFileBytes(path, out);
}

} // namespace keruna
