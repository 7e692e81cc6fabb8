#include "history/historyfile.h"

#include "common/filelock.h"
#include "common/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace keruna {

HistoryFile::HistoryFile(QString path)
    : m_path(std::move(path))
{
}

QString HistoryFile::besideSettings(const QString& settingsPath)
{
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("keruna-history.csv"));
}

bool HistoryFile::append(const HistoryEvent& event)
{
    if (isOff())
        return false;
    // Appends from other copies of the program wait, so that a failed append can be cut
    // back without cutting theirs, and none lands in a file that a clear has replaced.
    const FileLock lock(m_path);
    QFile file(m_path);
    // Unbuffered: the whole line goes to the file in one write, at its end whatever
    // another program appended meanwhile.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        m_notice
            = QStringLiteral("学習履歴のファイルを開けないため、今回は記録していません（%1）。")
                  .arg(file.errorString());
        return false;
    }
    QByteArray out;
    const qint64 size = file.size();
    if (size == 0) {
        out = historyHeader() + '\n';
    } else {
        // A line cut short by a crash is left as it is; this one starts on a line of its own.
        char last = '\n';
        if (file.seek(size - 1) && file.getChar(&last) && last != '\n')
            out += '\n';
    }
    out += historyLine(event);
    out += '\n';
    const bool fault = takeWriteFault();
    const QByteArrayView toWrite = fault ? QByteArrayView(out).first(out.size() / 2) : out;
    if (file.write(toWrite.data(), toWrite.size()) != out.size()) {
        // A line cut short by a full disk would be a damaged line in the middle of the
        // file once space comes back: the file goes back to where this append began.
        file.resize(size);
        m_notice = QStringLiteral("学習履歴を書き込めないため、今回はこれ以上記録しません"
                                  "（ディスクの空きが足りないか、書き込みが許されていません）。");
        return false;
    }
    return true;
}

HistoryRead HistoryFile::parse(const QByteArray& bytes)
{
    HistoryRead read;
    const QByteArray header = historyHeader();
    QHash<QByteArray, QString> paths;
    qsizetype start = 0;
    read.events.reserve(bytes.count('\n'));
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break; // torn: written half-way when the program was stopped
        QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        // A header may stand in the middle where two programs began the file at once.
        if (line.isEmpty() || line == header)
            continue;
        if (std::optional<HistoryEvent> event = parseHistoryLine(line, &paths))
            read.events.append(std::move(*event));
        else
            ++read.damaged;
    }
    return read;
}

HistoryRead HistoryFile::read() const
{
    Result<QByteArray> bytes = readFileBytes(m_path);
    if (!bytes)
        return {};
    return parse(bytes.value());
}

std::optional<AppError> HistoryFile::clear()
{
    if (!QFileInfo::exists(m_path))
        return std::nullopt;
    const FileLock lock(m_path);
    return writeFileBytes(m_path, historyHeader() + '\n');
}

std::optional<AppError> HistoryFile::exportCsv(
    const QString& target, const QList<HistoryEvent>& events)
{
    QByteArray out("\xEF\xBB\xBF");
    out += historyHeader() + "\r\n";
    // A spreadsheet runs a cell that starts with one of these as a formula (a list named
    // "=HYPERLINK(…)"); the apostrophe it reads as "text" keeps it a name.
    const auto asText = [](QString& cell) {
        if (!cell.isEmpty() && QStringView(u"=+-@\t\r").contains(cell.front()))
            cell.prepend(u'\'');
    };
    for (HistoryEvent e : events) {
        asText(e.list);
        asText(e.testKind);
        asText(e.range);
        out += historyLine(e) + "\r\n";
    }
    return writeFileBytes(target, out);
}

} // namespace keruna
