#pragma once

#include "problemdata/range.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace keruna {

// One entry of a shadow list: the item text and whether it is marked red (needs check).
struct ListEntry {
    QString text;
    bool red = false;
    bool checked = false;
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
};

// The line's item text: the line without its written mark code, or the whole line.
QString itemKey(const QString& line);

// Marks by item text: the first entry for a text wins, and the memorized list comes
// before the not-yet list. Looked up by hash; the result is that of a walk from the top.
class MarkTable {
public:
    // The memorized (or correct) entries as ",,○"/",赤○", then the not-yet (or wrong)
    // entries as ",,×"/",赤×".
    static MarkTable fromDbLists(const QList<ListEntry>& memorized, const QList<ListEntry>& notYet);
    // Every GET entry means memorized: ",,○"/",赤○".
    static MarkTable fromGetList(const QList<ListEntry>& entries);

    // The entry (item text and mark code) first listed for key.
    std::optional<QString> find(const QString& key) const;
    // Only the mark code of that entry (",,○", ",赤○", ",赤×" or ",,×").
    const QString* findMark(const QString& key) const;
    int size() const { return m_size; }

private:
    QHash<QString, const QString*> m_first; // item text → mark code of its first entry
    int m_size = 0;
};

// The lines a save in place writes: a GET save makes the listed not-yet lines memorized;
// a list save gives every line the mark of the list it stands in. One result for each
// line, in order; an empty one is not written.
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
