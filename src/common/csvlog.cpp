#include "common/csvlog.h"

#include "common/filelock.h"
#include "common/textfile.h"

#include <QFile>

namespace keruna {

void appendCsvField(QByteArray& out, QByteArrayView field)
{
    if (!out.isEmpty())
        out += ',';
    if (!field.contains(',') && !field.contains('"')) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

bool splitCsvFields(QByteArrayView line, QByteArrayView* views, QByteArray* quoted, int count)
{
    int n = 0;
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (true) {
        if (n == count)
            return false;
        const int k = n++;
        if (i < size && line[i] == '"') {
            QByteArray& field = quoted[k];
            field.clear();
            ++i;
            while (true) {
                if (i >= size)
                    return false;
                if (line[i] == '"') {
                    if (i + 1 < size && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < size && line[i] != ',')
                return false;
            views[k] = field;
        } else {
            const qsizetype start = i;
            while (i < size && line[i] != ',')
                ++i;
            views[k] = line.sliced(start, i - start);
        }
        if (i >= size)
            break;
        ++i; // the comma
    }
    return n == count;
}

namespace {

int digits(QByteArrayView s, qsizetype at, int length)
{
    int n = 0;
    for (int k = 0; k < length; ++k) {
        const char c = s[at + k];
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

QByteArray logTimeText(const QDate& date, const QTime& time)
{
    return QStringLiteral("%1T%2")
        .arg(date.toString(Qt::ISODate), time.toString(QStringLiteral("HH:mm:ss")))
        .toLatin1();
}

bool parseLogTime(QByteArrayView s, QDate& date, QTime& time)
{
    if (s.size() != 19 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':'
        || s[16] != ':')
        return false;
    static const int lastYear = QDate::currentDate().year() + 1;
    const int year = digits(s, 0, 4);
    if (year < 2000 || year > lastYear)
        return false;
    date = QDate(year, digits(s, 5, 2), digits(s, 8, 2));
    time = QTime(digits(s, 11, 2), digits(s, 14, 2), digits(s, 17, 2));
    return date.isValid() && time.isValid();
}

LogAppend appendLogLines(
    const QString& path, const QByteArray& header, const QByteArray& lines, QString* why)
{
    // Appends from other copies of the program wait, so that a failed append can be cut
    // back without cutting theirs, and none lands in a file that a clear has replaced.
    const FileLock lock(path);
    QFile file(path);
    // Unbuffered: the whole of it goes to the file in one write, at its end whatever
    // another program appended meanwhile.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        if (why)
            *why = file.errorString();
        return LogAppend::CannotOpen;
    }
    QByteArray out;
    const qint64 size = file.size();
    if (size == 0) {
        out = header + '\n';
    } else {
        // A line cut short by a crash is left as it is; these start on a line of their own.
        char last = '\n';
        if (file.seek(size - 1) && file.getChar(&last) && last != '\n')
            out += '\n';
    }
    out += lines;
    const bool fault = takeWriteFault();
    const QByteArrayView toWrite = fault ? QByteArrayView(out).first(out.size() / 2) : out;
    if (file.write(toWrite.data(), toWrite.size()) != out.size()) {
        file.resize(size);
        return LogAppend::CannotWrite;
    }
    return LogAppend::Done;
}

} // namespace keruna
