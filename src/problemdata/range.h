#pragma once

#include "problemdata/problemset.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace keruna {

// The question range; the value is the index in the range combo box. 【復】, the
// memorized items due for review, comes after the four of the word list's own marks.
enum class RangeFilter { NotYet = 0, Memorized = 1, Red = 2, All = 3, Review = 4 };

inline constexpr int kRangeCount = 5;

RangeFilter rangeFromIndex(int index);
QString rangeLabel(RangeFilter range); // "【未】", "【覚】", "【要】", "【全】", "【復】"
// The range as the learning history stores it: always the Japanese label, whatever the
// interface language, so the file reads the same in every language.
QString rangeStoredLabel(RangeFilter range);
// A stored label as the interface shows it; one it does not know is shown as it is.
QString rangeLabelOfStored(const QString& stored);
// The message for a range without records; empty for 【全】, which may always be chosen.
QString rangeEmptyMessage(RangeFilter range);
const QStringList& rangeList(const ProblemSet& set, RangeFilter range);
int rangeCountOf(const ProblemSet& set, RangeFilter range);
// The line (index into allList) of each record of rangeList, in the same order.
QList<int> rangeLines(const ProblemSet& set, RangeFilter range);

// The range chosen after a load: 【未】 while anything is left to learn, else 【全】.
RangeFilter initialRange(const ProblemSet& set);

// What choosing a range does.
enum class RangeDecision {
    Ignore, // the combo box is being set back: nothing happens
    Refuse, // empty range: show its message and set the combo box back
    Select,
};

// Range selection state kept by the main screen.
struct RangeState {
    std::optional<RangeFilter> current; // the checked range; none before the first load
    int previousIndex = 0;
    bool restoring = false; // on only while the combo box is set back programmatically
    bool keepRange = false; // the next load keeps the current range (end of a GET test)
    int rangeCount = 0;
    QString rangeStatusText; // 「【未】 未12 覚30 (要3)」
    QString completionText; // "全て完了しました" when nothing is left to learn

    RangeDecision decide(const ProblemSet& set, RangeFilter range) const;
};

// " 未12 覚30 (要3)"; the red part only when there is a red record.
QString countsText(int notYet, int memorized, int red);

// Recomputes the status and completion texts after a load or range change and returns
// the window caption; nullopt while no file is loaded (the caption stays as it is).
std::optional<QString> updateTitleTexts(RangeState& state, const ProblemSet& set);

// The file name after the last folder separator ('/' or '\').
QString fileNameOf(const QString& path);
// The folder before the last folder separator.
QString folderOf(const QString& path);

// The program's name as windows and message boxes show it.
QString programName();

} // namespace keruna
