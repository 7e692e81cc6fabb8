#include "exchange/exporters.h"

#include "problemdata/problemrecord.h"

#include <QXmlStreamWriter>

namespace keruna {

namespace {

// A field as Anki reads it back: quoted when it holds the separator, a quote or a line
// break, quotes doubled.
QByteArray ankiField(const QString& text)
{
    QByteArray field = text.toUtf8();
    if (field.contains('\t') || field.contains('"') || field.contains('\n')
        || field.contains('\r')) {
        field.replace("\"", "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

} // namespace

QList<ExportItem> exportItems(const QStringList& records, const QString& delimiter)
{
    QList<ExportItem> items;
    items.reserve(records.size());
    for (const QString& record : records) {
        const auto [question, answer] = listColumns(itemTextOf(record), delimiter);
        items.append({question, answer, isMemorizedRecord(record), isRedRecord(record)});
    }
    return items;
}

QList<ExportItem> exportItems(const QList<ListEntry>& left, const QList<ListEntry>& right,
    ExportSet set, const QString& delimiter)
{
    QList<ExportItem> items;
    for (const auto& [entry, fromLeft] : exportedEntries(left, right, set)) {
        const auto [question, answer] = listColumns(entry->text, delimiter);
        items.append({question, answer, fromLeft, entry->red});
    }
    return items;
}

QByteArray ankiNotes(const QList<ExportItem>& items)
{
    QByteArray out = QStringLiteral("#separator:tab\n#html:false\n#columns:問題\t答え\tタグ\n"
                                    "#tags column:3\n")
                         .toUtf8();
    for (const ExportItem& item : items) {
        QString tags = item.memorized ? QStringLiteral("暗記済") : QStringLiteral("未暗記");
        if (item.red)
            tags += QStringLiteral(" 要チェック");
        out += ankiField(item.question) + '\t' + ankiField(item.answer) + '\t' + tags.toUtf8()
            + '\n';
    }
    return out;
}

QByteArray kvtmlDocument(const QList<ExportItem>& items, const QString& title)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral(
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    xml.writeStartElement(QStringLiteral("kvtml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("information"));
    xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("ケルナ"));
    xml.writeTextElement(QStringLiteral("title"), title);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("identifiers"));
    const QString names[] = {QStringLiteral("問題"), QStringLiteral("答え")};
    for (int i = 0; i < 2; ++i) {
        xml.writeStartElement(QStringLiteral("identifier"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
        xml.writeTextElement(QStringLiteral("name"), names[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("entries"));
    for (qsizetype i = 0; i < items.size(); ++i) {
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
        const QString texts[] = {items[i].question, items[i].answer};
        for (int t = 0; t < 2; ++t) {
            xml.writeStartElement(QStringLiteral("translation"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(t));
            xml.writeTextElement(QStringLiteral("text"), texts[t]);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace keruna
