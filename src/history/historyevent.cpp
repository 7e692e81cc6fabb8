#include "history/historyevent.h"

#include "common/csvlog.h"
#include "problemdata/range.h"

#include <QCoreApplication>
#include <QHash>

#include <array>

namespace keruna {

namespace {

constexpr int kFields = 16;

const char* kindName(HistoryKind kind)
{
    switch (kind) {
    case HistoryKind::Test:
        return "test";
    case HistoryKind::Save:
        return "save";
    case HistoryKind::Study:
        return "study";
    }
    return "test";
}

void appendField(QByteArray& out, const QByteArray& field)
{
    appendCsvField(out, field);
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

struct Fields {
    std::array<QByteArrayView, kFields> view;
    std::array<QByteArray, kFields> quoted;
};

bool splitFields(QByteArrayView line, Fields& fields)
{
    return splitCsvFields(line, fields.view.data(), fields.quoted.data(), kFields);
}

// A count: digits only; empty is 0.
std::optional<int> count(QByteArrayView field)
{
    if (field.size() > 9)
        return std::nullopt;
    int n = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

QString testKindText(const QString& kind)
{
    if (kind == QLatin1String("automatic"))
        return QCoreApplication::translate("HistoryEvent", "自動");
    if (kind == QLatin1String("manual"))
        return QCoreApplication::translate("HistoryEvent", "手動");
    if (kind == QLatin1String("number"))
        return QCoreApplication::translate("HistoryEvent", "数字");
    if (kind == QLatin1String("get"))
        return QStringLiteral("GET");
    return kind;
}

} // namespace

QByteArray historyHeader()
{
    return QByteArrayLiteral("time,event,list,test,options,range,items,answered,correct,wrong,"
                             "rate,notyet,memorized,red,minutes,shown");
}

QByteArray historyLine(const HistoryEvent& e)
{
    QByteArray out;
    out.reserve(160);
    out += logTimeText(e.date, e.time);
    appendField(out, kindName(e.kind));
    QString list = e.list;
    list.replace(u'\n', u' ').replace(u'\r', u' ');
    appendField(out, list.toUtf8());
    const bool test = e.kind == HistoryKind::Test;
    appendField(out, test ? e.testKind.toUtf8() : QByteArray());
    QByteArrayList options;
    if (test && e.listening)
        options.append("listening");
    if (test && e.typed)
        options.append("typed");
    if (test && e.reverse)
        options.append("reverse");
    appendField(out, options.join('+'));
    appendField(out, test ? e.range.toUtf8() : QByteArray());
    for (int n : {e.items, e.answered, e.correct, e.wrong, e.rate})
        appendField(out, test ? number(n) : QByteArray());
    const bool save = e.kind == HistoryKind::Save;
    for (int n : {e.notYet, e.memorized, e.red})
        appendField(out, save ? number(n) : QByteArray());
    const bool study = e.kind == HistoryKind::Study;
    appendField(out, study ? QByteArray::number(e.minutes, 'f', 2) : QByteArray());
    appendField(out, study ? number(e.shown) : QByteArray());
    return out;
}

std::optional<HistoryEvent> parseHistoryLine(QByteArrayView line, QHash<QByteArray, QString>* paths)
{
    Fields fields;
    if (!splitFields(line, fields))
        return std::nullopt;
    const auto& f = fields.view;
    HistoryEvent e;
    if (!parseLogTime(f[0], e.date, e.time))
        return std::nullopt;
    if (f[1] == "test")
        e.kind = HistoryKind::Test;
    else if (f[1] == "save")
        e.kind = HistoryKind::Save;
    else if (f[1] == "study")
        e.kind = HistoryKind::Study;
    else
        return std::nullopt;
    if (f[2].isEmpty())
        return std::nullopt;
    // A long history names few lists, kinds and ranges: one shared string for each.
    const auto shared = [paths](QByteArrayView field) {
        if (!paths)
            return QString::fromUtf8(field);
        // Looked up without a copy; only a new name is copied into the table.
        const QByteArray key = QByteArray::fromRawData(field.data(), field.size());
        auto it = paths->constFind(key);
        if (it == paths->constEnd())
            it = paths->insert(field.toByteArray(), QString::fromUtf8(field));
        return *it;
    };
    e.list = shared(f[2]);
    if (!f[3].isEmpty())
        e.testKind = shared(f[3]);
    for (QByteArrayView options = f[4]; !options.isEmpty();) {
        const qsizetype plus = options.indexOf('+');
        const QByteArrayView option = plus < 0 ? options : options.first(plus);
        options = plus < 0 ? QByteArrayView() : options.sliced(plus + 1);
        if (option == "listening")
            e.listening = true;
        else if (option == "typed")
            e.typed = true;
        else if (option == "reverse")
            e.reverse = true;
        else
            return std::nullopt;
    }
    if (!f[5].isEmpty())
        e.range = shared(f[5]);
    int* counts[]
        = {&e.items, &e.answered, &e.correct, &e.wrong, &e.rate, &e.notYet, &e.memorized, &e.red};
    for (int k = 0; k < 8; ++k) {
        const std::optional<int> n = count(f[size_t(6 + k)]);
        if (!n)
            return std::nullopt;
        *counts[k] = *n;
    }
    if (e.rate > 100)
        return std::nullopt;
    if (!f[14].isEmpty()) {
        bool ok = false;
        e.minutes = QByteArray::fromRawData(f[14].data(), f[14].size()).toDouble(&ok);
        // A week at most: nan, inf and 1e308 are no session the program could have timed.
        if (!ok || !(e.minutes >= 0 && e.minutes <= 7 * 24 * 60))
            return std::nullopt;
    }
    const std::optional<int> shown = count(f[15]);
    if (!shown)
        return std::nullopt;
    e.shown = *shown;
    return e;
}

QString historyKindText(const HistoryEvent& e)
{
    switch (e.kind) {
    case HistoryKind::Test:
        return QCoreApplication::translate("HistoryEvent", "テスト");
    case HistoryKind::Save:
        return QCoreApplication::translate("HistoryEvent", "保存");
    case HistoryKind::Study:
        return QCoreApplication::translate("HistoryEvent", "学習");
    }
    return {};
}

QString historySummary(const HistoryEvent& e)
{
    switch (e.kind) {
    case HistoryKind::Test: {
        // Said as the learner saw the test: the number test has no range and is never
        // heard; a GET test counts the range's items and says how many were shown.
        const bool number = e.testKind == QLatin1String("number");
        QString options;
        if (e.listening && !number)
            options += QCoreApplication::translate("HistoryEvent", " 聞き取り");
        if (e.typed)
            options += QCoreApplication::translate("HistoryEvent", " 入力");
        if (e.reverse)
            options += QCoreApplication::translate("HistoryEvent", " 逆転");
        QString count = QCoreApplication::translate("HistoryEvent", "%1問")
                            .arg(number ? e.answered : e.items);
        if (e.testKind == QLatin1String("get") && e.answered < e.items)
            count += QCoreApplication::translate("HistoryEvent", "（%1問表示）").arg(e.answered);
        const QString range = number ? QString() : rangeLabelOfStored(e.range);
        return QCoreApplication::translate("HistoryEvent", "%1%2 %3%4　正解%5 不正解%6　正解率%7％")
            .arg(testKindText(e.testKind), options, range, count)
            .arg(e.correct)
            .arg(e.wrong)
            .arg(e.rate);
    }
    case HistoryKind::Save:
        return QCoreApplication::translate("HistoryEvent", "未%1 覚%2 (要%3)")
            .arg(e.notYet)
            .arg(e.memorized)
            .arg(e.red);
    case HistoryKind::Study:
        return QCoreApplication::translate("HistoryEvent", "%1分　%2語")
            .arg(QString::number(e.minutes, 'f', 1))
            .arg(e.shown);
    }
    return {};
}

QString historyDateText(const HistoryEvent& e)
{
    return e.date.toString(QStringLiteral("yyyy/MM/dd")) + u' '
        + e.time.toString(QStringLiteral("HH:mm"));
}

} // namespace keruna
