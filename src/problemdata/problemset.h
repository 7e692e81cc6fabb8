#pragma once

#include "common/textfile.h"
#include "problemdata/problemrecord.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace keruna {

// The loaded word list. Lists hold record texts (item text + mark code) in file order;
// item n of a list is at index n - 1.
struct ProblemSet {
    static constexpr int kCapacity = 20000;
    // Far past any word and its meanings; a longer line is no word list's, and would stall
    // every screen that draws it.
    static constexpr int kMaxLineLength = 10000;
    // 20,000 lines of a few hundred characters each fit many times over.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    QString path; // empty while no file is loaded
    TextEncoding encoding = TextEncoding::Cp932; // how the file was read, and is written back
    bool lfOnly = false; // its lines end in LF alone; otherwise they are written with CR LF
    // The file as it was when loaded, to notice another program's changes before saving.
    qint64 loadedSize = -1;
    QDateTime loadedModified;
    QStringList allList;
    QStringList notYetList;
    QStringList memorizedList;
    QStringList redList;
    // The memorized records due for review, in file order, and their lines in allList:
    // known from the review log, not the file (see markDue).
    QStringList dueList;
    QList<int> dueLines;
    // Each scheduled item's next review, as a Julian day number, by its item text.
    QHash<QString, qint64> reviewDays;
    int totalCount = 0;
    int notYetCount = 0;
    int memorizedCount = 0;
    int redCount = 0;

    // The non-blank line as read. Writing a record gives back exactly the line it was
    // made from, so the lines are not kept twice.
    QString rawLine(int index) const;
    QStringList rawLines() const;

    // Empties the lists and counters; the path stays until the next load sets it.
    void clearRecords();
    // Takes as due each memorized record whose item text isDue says is.
    template <class F> void markDue(F&& isDue)
    {
        dueList.clear();
        dueLines.clear();
        for (int i = 0; i < allList.size(); ++i) {
            if (isMemorizedRecord(allList[i]) && isDue(itemTextOf(allList[i]))) {
                dueList.append(allList[i]);
                dueLines.append(i);
            }
        }
    }
    // Classifies one non-blank line and files its record in the lists.
    void addLine(QStringView line);
};

} // namespace keruna
