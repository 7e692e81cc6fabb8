#include "exchange/importtable.h"

#include "common/textfile.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>

namespace keruna {

namespace {

AppError unreadable(const QString& why)
{
    return AppError::withText(ErrorNumber::ApplicationDefined, why);
}

// The first two columns that are not in skipped.
void chooseColumns(ImportTable& table, const QSet<int>& skipped)
{
    int width = int(table.columns.size());
    for (const QStringList& row : table.rows)
        width = std::max(width, int(row.size()));
    QList<int> free;
    for (int i = 0; i < width && free.size() < 2; ++i) {
        if (!skipped.contains(i))
            free.append(i);
    }
    table.question = free.value(0, 0);
    table.answer = free.value(1, -1); // -1: no answer column
}

// The separator that splits the first lines into the same number of fields, two or more,
// most of them; tab first where they tie.
QChar sniffSeparator(QStringView text)
{
    QChar best = u'\t';
    int bestScore = -1;
    for (QChar sep : {u'\t', u',', u';'}) {
        const QList<QStringList> rows
            = splitDelimited(text.first(std::min<qsizetype>(text.size(), 64 * 1024)), sep);
        std::map<qsizetype, int> widths;
        for (qsizetype i = 0; i < rows.size() && i < 20; ++i)
            ++widths[rows[i].size()];
        int score = 0;
        for (const auto& [width, count] : widths) {
            if (width >= 2)
                score = std::max(score, count);
        }
        if (score > bestScore) {
            best = sep;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

QList<QStringList> splitDelimited(QStringView text, QChar sep)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false; // inside a quoted field
    bool wasQuoted = false; // the field began with a quote
    const auto endField = [&] {
        row.append(field);
        field.clear();
        wasQuoted = false;
    };
    const auto endRow = [&] {
        endField();
        if (!(row.size() == 1 && row.front().isEmpty()))
            rows.append(row);
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == sep) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty() || wasQuoted)
        endRow();
    return rows;
}

QString htmlToText(const QString& html)
{
    static const QRegularExpression breaks(QStringLiteral("<\\s*(br|/p|/div|/li)\\b[^>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.replace(breaks, QStringLiteral("\n"));
    text.remove(tags);
    static const QHash<QString, QString> named {{QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")}, {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")}};
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    QString out;
    qsizetype at = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).sliced(at, m.capturedStart() - at);
        const QString name = m.captured(1);
        QString replacement = m.captured(0);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint cp = name.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive)
                ? name.mid(2).toUInt(&ok, 16)
                : name.mid(1).toUInt(&ok, 10);
            if (ok && cp > 0 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF))
                replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1);
        } else if (const auto known = named.constFind(name); known != named.constEnd()) {
            replacement = *known;
        }
        out += replacement;
        at = m.capturedEnd();
    }
    out += QStringView(text).sliced(at);
    return out;
}

Result<ImportTable> readAnkiNotes(const QString& text)
{
    QStringView rest(text);
    QChar sep = u'\0';
    bool html = false;
    QStringList columns;
    QSet<int> bookkeeping; // guid, note type, deck and tags columns, 0-based
    // Header lines stand at the top, each "#key:value".
    while (rest.startsWith(u'#')) {
        const qsizetype end = rest.indexOf(u'\n');
        QStringView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QStringView() : rest.sliced(end + 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QString key = line.sliced(1, colon - 1).trimmed().toString().toLower();
        const QString value = line.sliced(colon + 1).trimmed().toString();
        if (key == QLatin1String("separator")) {
            static const QHash<QString, QChar> names {{QStringLiteral("tab"), u'\t'},
                {QStringLiteral("comma"), u','}, {QStringLiteral("semicolon"), u';'},
                {QStringLiteral("space"), u' '}, {QStringLiteral("pipe"), u'|'},
                {QStringLiteral("colon"), u':'}};
            sep = names.value(value.toLower(), value.size() == 1 ? value.front() : QChar());
            if (sep.isNull())
                return unreadable(QCoreApplication::translate(
                    "ImportTable", "Ankiのファイルの区切り文字「%1」がわかりません。")
                                      .arg(value));
        } else if (key == QLatin1String("html")) {
            html = value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        } else if (key == QLatin1String("columns")) {
            columns.append(value); // split once the separator is known
        } else if (key.endsWith(QLatin1String(" column"))) {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (ok && n >= 1)
                bookkeeping.insert(n - 1);
        }
    }
    if (sep.isNull())
        sep = sniffSeparator(rest);
    ImportTable table;
    if (!columns.isEmpty())
        table.columns = columns.front().split(sep);
    table.rows = splitDelimited(rest, sep);
    if (html) {
        for (QStringList& row : table.rows) {
            for (QString& field : row)
                field = htmlToText(field);
        }
    }
    chooseColumns(table, bookkeeping);
    return table;
}

Result<ImportTable> readDelimited(const QString& text)
{
    ImportTable table;
    table.rows = splitDelimited(text, sniffSeparator(text));
    chooseColumns(table, {});
    return table;
}

Result<ImportTable> readKvtml(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    ImportTable table;
    std::map<QString, int> languages; // identifier id → column
    bool kvtml = false;
    QStringList row;
    QString translation; // the id of the translation being read
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("kvtml")) {
                kvtml = true;
                const QString version
                    = xml.attributes().value(QStringLiteral("version")).toString();
                if (!version.startsWith(u'2'))
                    return unreadable(QCoreApplication::translate("ImportTable",
                        "このParleyのファイルは形式のバージョン%"
                        "1です。読めるのはバージョン2だけです。")
                                          .arg(version));
            } else if (name == QLatin1String("identifier")
                && !languages.count(xml.attributes().value(QStringLiteral("id")).toString())) {
                const QString id = xml.attributes().value(QStringLiteral("id")).toString();
                const int column = int(languages.size());
                languages[id] = column;
                table.columns.append(QString());
                // Its name, when it has one, names the column.
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("name"))
                        table.columns[column] = xml.readElementText();
                    else
                        xml.skipCurrentElement();
                }
            } else if (name == QLatin1String("entry")) {
                row = QStringList(table.columns.size());
            } else if (name == QLatin1String("translation")) {
                translation = xml.attributes().value(QStringLiteral("id")).toString();
            } else if (name == QLatin1String("text") && !translation.isEmpty()) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (const auto it = languages.find(translation);
                    it != languages.end() && it->second < row.size())
                    row[it->second] = text;
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("translation"))
                translation.clear();
            else if (xml.name() == QLatin1String("entry") && !row.isEmpty())
                table.rows.append(row);
        }
    }
    if (xml.hasError())
        return unreadable(QCoreApplication::translate(
            "ImportTable", "Parleyのファイル（XML）が壊れています：%1行目、%2")
                              .arg(QString::number(xml.lineNumber()), xml.errorString()));
    if (!kvtml)
        return unreadable(QCoreApplication::translate(
            "ImportTable", "Parleyのファイル（kvtml）ではありません。"));
    chooseColumns(table, {});
    return table;
}

bool startsWithAnkiHeader(QStringView text)
{
    if (!text.startsWith(u'#'))
        return false;
    const qsizetype colon = text.indexOf(u':');
    const qsizetype end = text.indexOf(u'\n');
    if (colon < 0 || (end >= 0 && colon > end))
        return false;
    const QString key = text.sliced(1, colon - 1).trimmed().toString().toLower();
    static const QSet<QString> keys = {QStringLiteral("separator"), QStringLiteral("html"),
        QStringLiteral("columns"), QStringLiteral("tags"), QStringLiteral("deck"),
        QStringLiteral("notetype"), QStringLiteral("if matches")};
    return keys.contains(key) || key.endsWith(QLatin1String(" column"));
}

Result<ImportTable> readImportFile(const QString& path)
{
    // Far above any word list another tool exports; a larger file is not one.
    constexpr qint64 kImportMaxBytes = 32 * 1024 * 1024;
    Result<QByteArray> bytes = readFileBytes(path, kImportMaxBytes);
    if (!bytes)
        return bytes.error();
    const QByteArray& data = bytes.value();
    const bool xml = path.endsWith(QLatin1String(".kvtml"), Qt::CaseInsensitive)
        || data.trimmed().startsWith("<?xml") || data.trimmed().startsWith("<kvtml");
    if (xml)
        return readKvtml(data);
    Result<DecodedText> text = decodeBytes(data);
    if (!text)
        return text.error();
    if (startsWithAnkiHeader(text.value().text))
        return readAnkiNotes(text.value().text);
    return readDelimited(text.value().text);
}

} // namespace keruna
