#include "history/historyfile.h"

#include "common/csvlog.h"
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
    QString why;
    switch (appendLogLines(m_path, historyHeader(), historyLine(event) + '\n', &why)) {
    case LogAppend::Done:
        return true;
    case LogAppend::CannotOpen:
        m_notice = tr("学習履歴のファイルを開けないため、今回は記録していません（%1）。").arg(why);
        return false;
    case LogAppend::CannotWrite:
        m_notice = tr("学習履歴を書き込めないため、今回はこれ以上記録しません"
                      "（ディスクの空きが足りないか、書き込みが許されていません）。");
        return false;
    }
    return false;
}

HistoryRead HistoryFile::parse(const QByteArray& bytes)
{
    HistoryRead read;
    QHash<QByteArray, QString> paths;
    read.events.reserve(bytes.count('\n'));
    forEachLogLine(bytes, historyHeader(), [&](QByteArrayView line) {
        if (std::optional<HistoryEvent> event = parseHistoryLine(line, &paths))
            read.events.append(std::move(*event));
        else
            ++read.damaged;
    });
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
