#include "exchange/wordlistimport.h"

#include "problemdata/problemrecord.h"

#include <QCoreApplication>

namespace keruna {

namespace {

// A field's text with what would break its line or its columns put as something that
// reads the same: line breaks and tabs as spaces, the delimiter as its full-width form (or
// a space where it has none).
QString safeField(QString field, const QString& delimiter, bool& changed)
{
    const QString before = field;
    for (QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t'), QChar(0x2028), QChar(0x2029)}) {
        if (QStringView(delimiter) != QStringView(&c, 1))
            field.replace(c, u' ');
    }
    if (!delimiter.isEmpty() && field.contains(delimiter)) {
        const QString wide = delimiter == QLatin1String(",") ? QStringLiteral("，")
            : delimiter == QLatin1String(";")                ? QStringLiteral("；")
                                                             : QStringLiteral(" ");
        field.replace(delimiter, wide);
    }
    changed = changed || field != before;
    return field;
}

} // namespace

WordListImport wordListFromTable(
    const ImportTable& table, int question, int answer, const QString& delimiter)
{
    WordListImport out;
    out.lines.reserve(table.rows.size());
    for (const QStringList& row : table.rows) {
        bool changed = false;
        const QString q = safeField(row.value(question), delimiter, changed);
        if (q.trimmed().isEmpty()) {
            ++out.emptyQuestion;
            continue;
        }
        // Without an answer column the line is the question alone.
        QString line
            = answer < 0 ? q : q + delimiter + safeField(row.value(answer), delimiter, changed);
        // An end that reads as a mark code (",,○" in a meaning) would mark the item: its
        // comma becomes a full-width one.
        if (writtenCodeOf(line) != MarkCode::None) {
            line[line.size() - MarkSuffix::kLength] = u'，';
            changed = true;
        }
        out.madeSafe += changed ? 1 : 0;
        out.lines.append(line);
    }
    return out;
}

QString importSummary(const WordListImport& imported)
{
    QString text = QCoreApplication::translate("WordListImport", "%1 件を読み込みました。")
                       .arg(imported.lines.size());
    if (imported.madeSafe > 0)
        text += QCoreApplication::translate(
            "WordListImport", "%1 件は、区切り文字・改行・印と同じ文字を置き換えて1行にしました。")
                    .arg(imported.madeSafe);
    if (imported.emptyQuestion > 0)
        text += QCoreApplication::translate("WordListImport", "%1 件は問題が空のため飛ばしました。")
                    .arg(imported.emptyQuestion);
    return text;
}

} // namespace keruna
