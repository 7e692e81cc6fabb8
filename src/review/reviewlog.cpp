#include "review/reviewlog.h"

#include "common/csvlog.h"
#include "common/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <array>

namespace keruna {

namespace {

constexpr int kFields = 5;

bool knownTest(QByteArrayView test)
{
    return test == "automatic" || test == "manual" || test == "get";
}

} // namespace

ReviewLog::ReviewLog(QString path)
    : m_path(std::move(path))
{
}

QString ReviewLog::besideSettings(const QString& settingsPath)
{
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("keruna-reviews.csv"));
}

QByteArray reviewHeader()
{
    return QByteArrayLiteral("time,list,item,result,test");
}

QByteArray reviewLine(const ReviewRecord& r)
{
    QByteArray out;
    out += logTimeText(r.date, r.time);
    // One record a line: a line break in a name would split it.
    const auto oneLine
        = [](QString text) { return text.replace(u'\n', u' ').replace(u'\r', u' ').toUtf8(); };
    appendCsvField(out, oneLine(r.list));
    appendCsvField(out, oneLine(r.item));
    appendCsvField(out, r.right ? "right" : "wrong");
    appendCsvField(out, r.test.toUtf8());
    return out;
}

bool ReviewLog::append(const QList<ReviewRecord>& records)
{
    if (isOff() || records.isEmpty())
        return false;
    QByteArray lines;
    for (const ReviewRecord& r : records)
        lines += reviewLine(r) + '\n';
    QString why;
    switch (appendLogLines(m_path, reviewHeader(), lines, &why)) {
    case LogAppend::Done:
        return true;
    case LogAppend::CannotOpen:
        m_notice
            = tr("復習の記録のファイルを開けないため、今回は記録していません（%1）。").arg(why);
        return false;
    case LogAppend::CannotWrite:
        m_notice = tr("復習の記録を書き込めないため、今回はこれ以上記録しません"
                      "（ディスクの空きが足りないか、書き込みが許されていません）。");
        return false;
    }
    return false;
}

ReviewRead ReviewLog::parse(const QByteArray& bytes, const QString& list)
{
    ReviewRead read;
    const QByteArray wanted = list.toUtf8();
    std::array<QByteArrayView, kFields> f;
    std::array<QByteArray, kFields> quoted;
    QHash<QByteArray, QString> names; // few lists, many lines: one string for each
    forEachLogLine(bytes, reviewHeader(), [&](QByteArrayView line) {
        ReviewRecord r;
        if (!splitCsvFields(line, f.data(), quoted.data(), kFields)
            || !parseLogTime(f[0], r.date, r.time) || f[1].isEmpty() || f[2].isEmpty()
            || (f[3] != "right" && f[3] != "wrong") || !knownTest(f[4])) {
            ++read.damaged;
            return;
        }
        // Another list's line is checked, counted if damaged, and passed over unread.
        if (!wanted.isEmpty() && f[1] != wanted)
            return;
        const auto shared = [&names](QByteArrayView field) {
            const QByteArray key = field.toByteArray();
            auto it = names.constFind(key);
            if (it == names.constEnd())
                it = names.insert(key, QString::fromUtf8(field));
            return *it;
        };
        r.list = shared(f[1]);
        r.item = QString::fromUtf8(f[2]);
        r.right = f[3] == "right";
        r.test = shared(f[4]);
        read.records.append(std::move(r));
    });
    return read;
}

ReviewRead ReviewLog::readFrom(qint64 offset, const QString& list, qint64* end) const
{
    *end = offset;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    const QByteArray bytes = file.readAll();
    *end = offset + bytes.lastIndexOf('\n') + 1;
    return parse(bytes, list);
}

ReviewRead ReviewLog::read(const QString& list) const
{
    Result<QByteArray> bytes = readFileBytes(m_path);
    if (!bytes)
        return {};
    return parse(bytes.value(), list);
}

} // namespace keruna
