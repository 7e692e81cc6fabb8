#include "problemdata/saveprogress.h"

#include "problemdata/problemrecord.h"

#include <QCoreApplication>

#include <algorithm>

namespace keruna {

namespace {

QString bare(const QString& line)
{
    return itemKey(line);
}

// An empty result stays in its place, so that every result lines up with the line it
// came from; the writer leaves it out.
void appendResult(QStringList& out, QString line)
{
    out.append(std::move(line));
}

// Which lines a rule looks up; the others are written as they are.
enum class LookedUp { All, Memorized, Red };

bool lookedUp(LookedUp which, MarkCode code)
{
    switch (which) {
    case LookedUp::All:
        return true;
    case LookedUp::Memorized:
        return code == MarkCode::Memorized || code == MarkCode::MemorizedRed;
    case LookedUp::Red:
        return code == MarkCode::MemorizedRed || code == MarkCode::NotYetRed;
    }
    return false;
}

// What a line not found in the table becomes.
enum class NotFound {
    Unchanged,
    Replace, // red lines become ",赤×", ",,○" lines bare, unmarked lines stay
    MemorizedOnly, // ",赤○" becomes ",赤×", ",,○" bare
    RedOnly, // ",赤○" becomes ",赤×", ",赤×" stays
};

QString notFound(NotFound rule, const QString& line, MarkCode code)
{
    switch (rule) {
    case NotFound::Unchanged:
        return line;
    case NotFound::Replace:
        if (code == MarkCode::MemorizedRed || code == MarkCode::NotYetRed)
            return bare(line) + MarkSuffix::NotYetRed;
        return code == MarkCode::Memorized ? bare(line) : line;
    case NotFound::MemorizedOnly:
        if (code == MarkCode::MemorizedRed)
            return bare(line) + MarkSuffix::NotYetRed;
        return code == MarkCode::Memorized ? bare(line) : line;
    case NotFound::RedOnly:
        return code == MarkCode::MemorizedRed ? bare(line) + MarkSuffix::NotYetRed : line;
    }
    return line;
}

} // namespace

QString itemKey(const QString& line)
{
    if (writtenCodeOf(line) == MarkCode::None)
        return line; // shared, not copied: most lines of a list carry no mark
    return line.chopped(MarkSuffix::kLength);
}

// Entries with a line by that line (a counting sort: linear, and stable, so a memorized
// entry comes before a not-yet one on the same line), then the others as they stand.
std::vector<MarkTable::Entry> MarkTable::inPairingOrder(std::vector<Entry> entries)
{
    int lines = 0;
    for (const Entry& e : entries)
        lines = std::max(lines, e.line + 1);
    std::vector<int> slot(size_t(lines) + 1, 0);
    for (const Entry& e : entries) {
        if (e.line >= 0)
            ++slot[size_t(e.line) + 1];
    }
    for (size_t i = 1; i < slot.size(); ++i)
        slot[i] += slot[i - 1];
    int unplaced = slot.back();
    std::vector<Entry> out(entries.size());
    for (Entry& e : entries)
        out[size_t(e.line >= 0 ? slot[size_t(e.line)]++ : unplaced++)] = std::move(e);
    return out;
}

std::vector<MarkTable::Entry> MarkTable::entriesOf(
    const QList<ListEntry>& memorized, const QList<ListEntry>& notYet)
{
    std::vector<Entry> entries;
    entries.reserve(size_t(memorized.size() + notYet.size()));
    for (const ListEntry& e : memorized)
        entries.push_back(
            {e.line, e.text, e.red ? &MarkSuffix::MemorizedRed : &MarkSuffix::Memorized});
    for (const ListEntry& e : notYet)
        entries.push_back({e.line, e.text, e.red ? &MarkSuffix::NotYetRed : &MarkSuffix::NotYet});
    return entries;
}

const MarkTable::Index& MarkTable::index() const
{
    if (m_index)
        return *m_index;
    auto made = std::make_shared<Index>();
    made->texts.reserve(qsizetype(m_entries.size()));
    made->next.assign(m_entries.size(), -1);
    std::vector<int> last; // per text: its latest entry so far
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const QStringView text(m_entries[size_t(i)].text);
        const auto it = made->texts.constFind(text);
        if (it == made->texts.cend()) {
            made->texts.insert(text, int(made->first.size()));
            made->first.push_back(i);
            last.push_back(i);
        } else if (!m_firstOnly) {
            made->next[size_t(last[size_t(*it)])] = i;
            last[size_t(*it)] = i;
        }
    }
    m_index = made;
    return *made;
}

MarkTable MarkTable::fromDbLists(const QList<ListEntry>& memorized, const QList<ListEntry>& notYet)
{
    MarkTable t;
    t.m_entries = inPairingOrder(entriesOf(memorized, notYet));
    return t;
}

MarkTable MarkTable::fromTestResults(const QList<ListEntry>& correct, const QList<ListEntry>& wrong)
{
    // A test covers some of the lines only: pairing twins by count would hand a judgement
    // to a twin nobody tested and shift every later twin's mark.
    MarkTable t;
    std::vector<Entry> entries = entriesOf(correct, wrong);
    int lines = 0;
    for (const Entry& e : entries)
        lines = std::max(lines, e.line + 1);
    t.m_byLine.resize(size_t(lines));
    for (Entry& e : entries) {
        if (e.line >= 0)
            t.m_byLine[size_t(e.line)] = {e.text, e.mark};
        else
            t.m_entries.push_back(std::move(e));
    }
    return t;
}

MarkTable MarkTable::fromGetList(const QList<ListEntry>& entries)
{
    MarkTable t;
    t.m_firstOnly = true;
    t.m_entries.reserve(size_t(entries.size()));
    for (const ListEntry& e : entries)
        t.m_entries.push_back(
            {e.line, e.text, e.red ? &MarkSuffix::MemorizedRed : &MarkSuffix::Memorized});
    return t;
}

const QString* MarkTable::findMark(const QString& key) const
{
    const Index& index = this->index();
    const int text = index.texts.value(QStringView(key), -1);
    return text < 0 ? nullptr : m_entries[size_t(index.first[size_t(text)])].mark;
}

std::optional<QString> MarkTable::find(const QString& key) const
{
    const QString* mark = findMark(key);
    if (!mark)
        return std::nullopt;
    return key + *mark;
}

MarkTable::Cursor::Cursor(const MarkTable& table)
    : m_table(table)
    , m_at(table.index().first)
{
}

const QString* MarkTable::Cursor::nextMark(QStringView key, int line)
{
    if (line >= 0 && size_t(line) < m_table.m_byLine.size()) {
        const auto& [text, mark] = m_table.m_byLine[size_t(line)];
        if (mark && QStringView(text) == key)
            return mark;
    }
    const Index& index = m_table.index();
    const int text = index.texts.value(key, -1);
    if (text < 0)
        return nullptr;
    int& at = m_at[size_t(text)];
    const QString* mark = m_table.m_entries[size_t(at)].mark;
    // The last entry stays for any further lines with the text.
    if (const int next = index.next[size_t(at)]; next >= 0)
        at = next;
    return mark;
}

namespace {

// The line a found entry gives: the line itself when it already reads so (no copy),
// and never with the in-memory code ",,×". key is line or a prefix of it.
QString entryLine(const QString& line, QStringView key, const QString& mark)
{
    const bool notYet = &mark == &MarkSuffix::NotYet;
    if (notYet ? line.size() == key.size()
               : (line.size() == key.size() + mark.size() && line.endsWith(mark)))
        return line;
    if (notYet)
        return key.toString();
    QString out;
    out.reserve(key.size() + mark.size());
    out.append(key);
    out.append(mark);
    return out;
}

// The line's item text without a copy: the line without its written mark code.
QStringView keyView(const QString& line)
{
    if (writtenCodeOf(line) == MarkCode::None)
        return line;
    return QStringView(line).chopped(MarkSuffix::kLength);
}

} // namespace

QStringList linesForSaveInPlace(
    const QStringList& lines, const SaveRequest& request, const MarkTable& table)
{
    QStringList out;
    out.reserve(lines.size());
    if (request.ListSave && !request.GetSave
        && table.entriesAreTheLines(lines.size(), [&](qsizetype i) { return keyView(lines[i]); })) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            out.append(entryLine(lines[i], keyView(lines[i]), table.markOfEntry(i)));
        return out;
    }
    MarkTable::Cursor marks(table);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (request.GetSave) {
            // Only not-yet lines can match: a marked memorized line is its own key.
            const QStringView key
                = line.endsWith(MarkSuffix::NotYetRed) ? keyView(line) : QStringView(line);
            const QString* mark = marks.nextMark(key, i);
            appendResult(out, mark ? entryLine(line, key, *mark) : line);
        } else if (request.ListSave) {
            const QStringView key = keyView(line);
            const QString* mark = marks.nextMark(key, i);
            appendResult(out, mark ? entryLine(line, key, *mark) : line);
        } else {
            appendResult(out, line);
        }
    }
    return out;
}

QStringList linesForSaveAs(const QStringList& lines, const SaveRequest& request,
    RangeFilter rangeNow, bool overwriteChoice, const MarkTable& table)
{
    LookedUp which = LookedUp::All;
    NotFound rule = NotFound::Unchanged;
    if (request.ResetSave) {
        QStringList out;
        for (const QString& line : lines)
            appendResult(out, bare(line));
        return out;
    }
    if (request.GetSave) {
        if (rangeNow == RangeFilter::All)
            rule = overwriteChoice ? NotFound::Unchanged : NotFound::Replace;
        else if (rangeNow == RangeFilter::Memorized)
            which = LookedUp::Memorized, rule = NotFound::MemorizedOnly;
        else if (rangeNow == RangeFilter::Red)
            which = LookedUp::Red, rule = NotFound::RedOnly;
    } else if (request.testStartedWith(RangeFilter::Memorized)) {
        which = LookedUp::Memorized;
    } else if (request.testStartedWith(RangeFilter::Red)) {
        which = LookedUp::Red;
    } else if (request.testStartedWith(RangeFilter::All) && !overwriteChoice) {
        rule = NotFound::Replace;
    }
    QStringList out;
    out.reserve(lines.size());
    // Only the lines looked up pair with entries: a test's entries stand for those lines.
    MarkTable::Cursor marks(table);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const MarkCode code = writtenCodeOf(line);
        if (!lookedUp(which, code)) {
            appendResult(out, line);
            continue;
        }
        const QString key = bare(line);
        const QString* mark = marks.nextMark(key, i);
        appendResult(out, mark ? entryLine(line, key, *mark) : notFound(rule, line, code));
    }
    return out;
}

QList<std::pair<const ListEntry*, bool>> exportedEntries(
    const QList<ListEntry>& left, const QList<ListEntry>& right, ExportSet set)
{
    QList<std::pair<const ListEntry*, bool>> out;
    const auto take = [&](const QList<ListEntry>& list, bool fromLeft, bool all) {
        for (const ListEntry& e : list) {
            if (all || (set == ExportSet::Red && e.red) || (set == ExportSet::Checked && e.checked))
                out.append({&e, fromLeft});
        }
    };
    switch (set) {
    case ExportSet::Left:
        take(left, true, true);
        break;
    case ExportSet::Right:
        take(right, false, true);
        break;
    case ExportSet::Red:
    case ExportSet::Checked:
        take(left, true, false);
        take(right, false, false);
        break;
    }
    return out;
}

QStringList exportLines(const QList<ListEntry>& left, const QList<ListEntry>& right, ExportSet set)
{
    QStringList out;
    for (const auto& [entry, fromLeft] : exportedEntries(left, right, set))
        out.append(entry->text);
    return out;
}

ExportCounts exportCounts(const QString& leftName, const QString& rightName,
    const QList<ListEntry>& left, const QList<ListEntry>& right)
{
    ExportCounts c {leftName, rightName, int(left.size()), int(right.size()), 0, 0};
    for (const QList<ListEntry>* list : {&left, &right}) {
        for (const ListEntry& e : *list) {
            c.red += e.red ? 1 : 0;
            c.checked += e.checked ? 1 : 0;
        }
    }
    return c;
}

namespace {

int countOf(const ExportCounts& c, ExportSet set)
{
    switch (set) {
    case ExportSet::Left:
        return c.left;
    case ExportSet::Right:
        return c.right;
    case ExportSet::Red:
        return c.red;
    case ExportSet::Checked:
        return c.checked;
    }
    return 0;
}

} // namespace

bool exportOptionEnabled(const ExportCounts& counts, ExportSet set)
{
    return countOf(counts, set) >= 1;
}

QString exportOptionCaption(const ExportCounts& c, ExportSet set)
{
    const QString names[]
        = {c.leftName, c.rightName, QCoreApplication::translate("SaveProgress", "要チェック"),
            QCoreApplication::translate("SaveProgress", "チェック")};
    return QCoreApplication::translate("SaveProgress", "%1　%2語")
        .arg(names[int(set)], QString::number(countOf(c, set)));
}

QString exportFileName(const ExportCounts& c, ExportSet set)
{
    // The file names are templates of their own: a caption's words may not suit a file name.
    static const char* const names[]
        = {QT_TRANSLATE_NOOP("SaveProgress", "覚%1"), QT_TRANSLATE_NOOP("SaveProgress", "未%1"),
            QT_TRANSLATE_NOOP("SaveProgress", "要チェック%1"),
            QT_TRANSLATE_NOOP("SaveProgress", "チェック%1")};
    return QCoreApplication::translate("SaveProgress", names[int(set)]).arg(countOf(c, set));
}

QString exportDialogTitle(const ExportCounts& c, ExportSet set)
{
    const QString n = QString::number(countOf(c, set));
    switch (set) {
    case ExportSet::Left:
        return QCoreApplication::translate("SaveProgress", "%1内のデータ（%2単語）だけを保存します")
            .arg(c.leftName, n);
    case ExportSet::Right:
        return QCoreApplication::translate("SaveProgress", "%1内のデータ（%2単語）だけを保存します")
            .arg(c.rightName, n);
    case ExportSet::Red:
        return QCoreApplication::translate(
            "SaveProgress", "要チェックしたデータ（%1単語）だけを保存します")
            .arg(n);
    case ExportSet::Checked:
        return QCoreApplication::translate(
            "SaveProgress", "チェックしたデータ（%1単語）だけを保存します")
            .arg(n);
    }
    return {};
}

std::optional<QString> saveTitle(
    const SaveRequest& request, RangeFilter rangeNow, bool overwriteChoice)
{
    const bool replacing
        = (request.GetSave
              && ((rangeNow == RangeFilter::All && !overwriteChoice)
                  || rangeNow == RangeFilter::Memorized || rangeNow == RangeFilter::Red))
        || (request.testStartedWith(RangeFilter::All) && !overwriteChoice);
    if (replacing)
        return QCoreApplication::translate(
            "SaveProgress", "【保存説明】※注意：正解データ以外は全て不正解に置き換えます。");
    // A reset is named as what it is, whatever was chosen for an earlier save.
    if (request.ResetSave)
        return QCoreApplication::translate("SaveProgress", "名前を付けて保存");
    if (request.testStartedWith(RangeFilter::NotYet) || overwriteChoice)
        return QCoreApplication::translate(
            "SaveProgress", "【保存説明】正解データを上書きします。");
    if (request.testStartedWith(RangeFilter::Memorized)
        || request.testStartedWith(RangeFilter::Red))
        return QCoreApplication::translate(
            "SaveProgress", "【保存説明】間違えたデータは未暗記に戻ります。");
    return std::nullopt;
}

SaveRoute getListSaveRoute(RangeFilter range)
{
    switch (range) {
    case RangeFilter::NotYet:
    case RangeFilter::Review:
        return SaveRoute::InPlace;
    case RangeFilter::Memorized:
    case RangeFilter::Red:
        return SaveRoute::ChosenFile;
    case RangeFilter::All:
        break;
    }
    return SaveRoute::AskThenChosenFile;
}

SaveRoute resultsSaveRoute(const SaveRequest& request)
{
    return request.testStartedWith(RangeFilter::All) ? SaveRoute::AskThenChosenFile
                                                     : SaveRoute::ChosenFile;
}

bool marksChanged(const QStringList& loaded, const QStringList& written)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (true) {
        while (i < loaded.size() && loaded[i].isEmpty())
            ++i;
        while (j < written.size() && written[j].isEmpty())
            ++j;
        if (i == loaded.size() || j == written.size())
            return i != loaded.size() || j != written.size();
        if (loaded[i++] != written[j++])
            return true;
    }
}

} // namespace keruna
