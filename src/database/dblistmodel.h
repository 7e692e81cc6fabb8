#pragma once

#include "problemdata/saveprogress.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

#include <tuple>

namespace keruna {

struct ProblemSet;

// One entry of a database list: the full item text (the record without its mark), the
// two columns shown, the needs-check mark and the check box, and the file line it was
// loaded from (as ListEntry::line), which it keeps in either list.
struct DbEntry {
    QString text;
    QString question;
    QString answer;
    bool red = false;
    bool checked = false;
    int line = -1;
};

// Column 1 is the text before the first delimiter, column 2 the text after it up to the
// next one; without a delimiter the whole text is column 1.
DbEntry makeDbEntry(const QString& text, const QString& delimiter, bool red, int line = -1);

// A database list (memorized, not yet, or a test's correct and wrong lists). It is at the
// same time the list shown and the hidden list that saving reads, so the two cannot fall
// out of step. Bulk changes reset the model or insert a range at once: a list of 20000
// entries must fill and move without a signal per entry.
class DbListModel : public QAbstractTableModel {
    Q_DECLARE_TR_FUNCTIONS(DbListModel)

public:
    explicit DbListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const DbEntry& entry(int row) const { return m_entries.at(row); }
    const QList<DbEntry>& allEntries() const { return m_entries; }
    int checkedCount() const;
    int firstChecked() const;

    // What saving and export read: each entry's item text, needs-check mark, check and
    // line, in order.
    QList<ListEntry> entries() const;

    // The list as saving sees it, to tell later whether it was edited: which item texts it
    // holds with their marks and the lines they stand for (so that twins trading places
    // are a change). The order within a list is the user's and never reaches the file,
    // nor do the checks.
    using SavedForm = QList<std::tuple<int, QString, bool>>;
    SavedForm savedForm() const;

    void setEntries(QList<DbEntry> entries);
    void clear() { setEntries({}); }
    void append(QList<DbEntry> entries);
    // Removes one entry and gives it back unchecked.
    DbEntry take(int row);
    // Removes every checked entry and gives them back in order; the rest lose their checks.
    QList<DbEntry> takeChecked();

    // Each entry's next review (a Julian day number by item text), told as its tool tip.
    void setReviewDays(QHash<QString, qint64> days) { m_reviewDays = std::move(days); }

    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    void toggleRed(int row);
    // Swaps the needs-check mark of every checked entry; the checks stay.
    void toggleRedChecked();

private:
    void rowChanged(int first, int last);

    QList<DbEntry> m_entries;
    QHash<QString, qint64> m_reviewDays;
};

// Refills both lists from the loaded records in file order: memorized ones on the left,
// not-yet ones on the right, red when the record carries the needs-check mark. Each entry
// knows its record's line, so that a save gives twins their own marks.
void FillDbLists(
    const ProblemSet& set, const QString& delimiter, DbListModel& memorized, DbListModel& notYet);

// Moves the checked entries of from, in order, to the end of to; with none checked the
// entry at selectedRow. The moved entries and those left in from lose their checks; the
// target's own checks stay. Returns the row of the last moved entry in to, or -1 when
// nothing moved.
int moveDbEntries(DbListModel& from, DbListModel& to, int selectedRow);

} // namespace keruna
