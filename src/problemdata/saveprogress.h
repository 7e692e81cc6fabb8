#pragma once

#include "problemdata/range.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace keruna {

// One entry of a shadow list: the item text and whether it is marked red (needs check).
struct ListEntry {
    QString text;
    bool red = false;
    bool checked = false;
    // Index of the file line (blank lines left out) the entry was loaded from; -1 when it
    // stands for no line of its own.
    int line = -1;
};

// What a save is for. Every list, GET or reset request clears all seven flags before
// setting its own; the test engine records the range a test started with.
struct SaveRequest {
    bool ListSave = false;
    bool GetSave = false;
    bool ResetSave = false;
    // The range menu item checked when the last test started, by RangeFilter index.
    std::array<bool, kRangeCount> TestStartRange {};

    void clear() { *this = SaveRequest {}; }
    bool testStartedWith(RangeFilter range) const { return TestStartRange[size_t(range)]; }
    // What this save writes is a test's held results (no other save was asked for).
    bool savesTestResults(bool resultsHeld) const
    {
        return resultsHeld && !ListSave && !GetSave && !ResetSave;
    }
};

// Where a save goes: into the list's own file line for line, into a file the user names,
// or there after asking whether the saved list overwrites the file or replaces it.
enum class SaveRoute { InPlace, ChosenFile, AskThenChosenFile };
// The GET list's save in the range in force: in place where the range leaves every other
// line as it was (【未】, and 【復】, whose items are memorized ones and keep their marks);
// a part of the list into a named file; the whole list after asking.
SaveRoute getListSaveRoute(RangeFilter range);
// A test's results are written by the range the test started with, never in place.
SaveRoute resultsSaveRoute(const SaveRequest& request);

// The lines a save wrote differ from the list as loaded, blank lines aside (every save
// drops them): the learning history counts only such saves.
bool marksChanged(const QStringList& loaded, const QStringList& written);

// The line's item text: the line without its written mark code, or the whole line.
QString itemKey(const QString& line);

// Marks by item text, paired with the lines of the file: the k-th line with a text takes
// the k-th entry with it, and lines past the last entry take the last one. Entries stand
// in file order (by the line they were loaded from), then those without a line, the
// memorized list first. Looked up by hash, in linear time for the whole file; a table
// whose entries are the file's lines one for one needs no lookup at all. The table keeps
// its own copies of the texts (shared, not deep): the lists it was made from may go.
class MarkTable {
public:
    // The memorized (or correct) entries as ",,○"/",赤○", the not-yet (or wrong) entries
    // as ",,×"/",赤×".
    static MarkTable fromDbLists(const QList<ListEntry>& memorized, const QList<ListEntry>& notYet);
    // Every GET entry means memorized: ",,○"/",赤○". Only the first entry of a text
    // counts, so every line with that text takes its mark.
    static MarkTable fromGetList(const QList<ListEntry>& entries);
    // A test's correct and wrong lists: an entry made from a line gives that line its
    // judgement, whatever its twins got; a line no entry was made from is not found.
    // Entries without a line pair by text, as in fromDbLists.
    static MarkTable fromTestResults(
        const QList<ListEntry>& correct, const QList<ListEntry>& wrong);

    // The entry (item text and mark code) first in order for key.
    std::optional<QString> find(const QString& key) const;
    // Only the mark code of that entry (",,○", ",赤○", ",赤×" or ",,×").
    const QString* findMark(const QString& key) const;
    int size() const { return int(m_entries.size()); }

    // Whether entry i, in pairing order, has line i's item text (keyOf(i)) for every line,
    // one entry a line: then the k-th line with a text is the k-th entry with it, so each
    // line takes entry i's mark with no lookup. The usual list save, where the lists hold
    // every record.
    template <class KeyOf> bool entriesAreTheLines(qsizetype lines, KeyOf&& keyOf) const
    {
        if (m_firstOnly || !m_byLine.empty() || qsizetype(m_entries.size()) != lines)
            return false;
        for (qsizetype i = 0; i < lines; ++i) {
            if (QStringView(m_entries[size_t(i)].text) != keyOf(i))
                return false;
        }
        return true;
    }
    const QString& markOfEntry(qsizetype i) const { return *m_entries[size_t(i)].mark; }

    // Walks the lines of one save from the top: each call gives the mark for the next line
    // with key (line is its index among the non-blank lines), or nullptr when no entry
    // has it.
    class Cursor {
    public:
        explicit Cursor(const MarkTable& table);
        const QString* nextMark(QStringView key, int line);

    private:
        const MarkTable& m_table;
        std::vector<int> m_at; // per text: the entry the next line with it takes
    };

private:
    struct Entry {
        int line = -1;
        QString text;
        const QString* mark = nullptr; // one of the MarkSuffix codes
    };
    // The lookup by text, made when first needed.
    struct Index {
        QHash<QStringView, int> texts; // item text (a view into an entry) → index into first
        std::vector<int> first; // per text: its first entry
        std::vector<int> next; // per entry: the next entry with its text, or -1
    };
    static std::vector<Entry> inPairingOrder(std::vector<Entry> entries);
    static std::vector<Entry> entriesOf(
        const QList<ListEntry>& memorized, const QList<ListEntry>& notYet);
    const Index& index() const;

    std::vector<Entry> m_entries; // in pairing order; with firstOnly, one per text
    bool m_firstOnly = false;
    mutable std::shared_ptr<const Index> m_index;
    // Per line, the entry made from it (its text and mark), for tables that pair by line.
    std::vector<std::pair<QString, const QString*>> m_byLine;
};

// The lines a save in place writes: a GET save makes the listed not-yet lines memorized;
// a list save gives every line the mark of its own entry, by the list that entry stands
// in. One result for each line, in order; an empty one is not written.
QStringList linesForSaveInPlace(
    const QStringList& lines, const SaveRequest& request, const MarkTable& table);

// The lines a save to a chosen file writes, by the request, the range in force now, and
// the overwrite-or-replace choice. table is unused for a reset. One result for each line,
// in order; an empty one is not written.
QStringList linesForSaveAs(const QStringList& lines, const SaveRequest& request,
    RangeFilter rangeNow, bool overwriteChoice, const MarkTable& table);

// The subsets of the database lists that can be exported, in their order of priority.
enum class ExportSet { Left, Right, Red, Checked };

// The item texts an export writes, one a line and without marks: a whole list, or the
// red or checked entries of the left list and then of the right one.
QStringList exportLines(const QList<ListEntry>& left, const QList<ListEntry>& right, ExportSet set);
// The same entries, each with whether it stands in the left list (memorized, or correct).
QList<std::pair<const ListEntry*, bool>> exportedEntries(
    const QList<ListEntry>& left, const QList<ListEntry>& right, ExportSet set);

// What the export dialog offers and the save dialog proposes. The pane names are those
// the lists show (暗記済リスト / 未暗記リスト, or the test's 正解リスト / 間違いリスト).
struct ExportCounts {
    QString leftName;
    QString rightName;
    int left = 0;
    int right = 0;
    int red = 0;
    int checked = 0;
};
ExportCounts exportCounts(const QString& leftName, const QString& rightName,
    const QList<ListEntry>& left, const QList<ListEntry>& right);
// "暗記済リスト　120語"; empty when the subset has no entry (the option is disabled).
QString exportOptionCaption(const ExportCounts& counts, ExportSet set);
bool exportOptionEnabled(const ExportCounts& counts, ExportSet set);
QString exportFileName(const ExportCounts& counts, ExportSet set);
QString exportDialogTitle(const ExportCounts& counts, ExportSet set);

// The save dialog's title; nullopt leaves the title as it was.
std::optional<QString> saveTitle(
    const SaveRequest& request, RangeFilter rangeNow, bool overwriteChoice);

} // namespace keruna
