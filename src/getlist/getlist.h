#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QTreeView;

namespace keruna {

// One entry of the GET list: the item's key text, its check and its red mark, and the two
// columns shown (the key split at the delimiter).
struct GetEntry {
    QString key;
    bool checked = false;
    bool red = false;
    QString question;
    QString answer;
    // The file line a test's entry was made from; -1 for entries of a study.
    int line = -1;
};

// The GET list's entries, shown by every view of the list: the main screen's and the
// external screen's are two views of this one model, so they cannot drift apart.
//
// After a test the visible list is emptied while the entries stay as the test's list
// (the results); the model then shows no rows until the list starts over.
class GetListModel : public QAbstractTableModel {
public:
    explicit GetListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::vector<GetEntry>& entries() const { return m_entries; }
    bool shown() const { return m_shown; }
    void append(GetEntry entry);
    // Replaces every entry at once; shown or kept behind an empty view.
    void reset(std::vector<GetEntry> entries, bool shown);
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    void toggleRed(int row);

private:
    void rowChanged(int row);

    std::vector<GetEntry> m_entries;
    bool m_shown = true;
};

// The GET list: its model, the main screen's view of it and its count label. Lookups by
// key take constant time: every shown item is checked against the list.
class GetList {
public:
    GetList(QTreeView& view, QLabel& countLabel);

    GetListModel& model() { return m_model; }
    int count() const { return int(m_model.entries().size()); }
    bool isEmpty() const { return m_model.entries().empty(); }
    bool contains(const QString& key) const { return m_keys.contains(key); }
    // Every entry, in order; after a test, the test's judgements.
    const std::vector<GetEntry>& shadow() const { return m_model.entries(); }
    // Entries shown in the visible list, and how many of them are checked.
    int shownCount() const { return m_model.rowCount(); }
    int checkedCount() const;
    // A test's score as the list holds it, checked being right: checked and unchecked
    // entries of those shown, or of every entry once the test is over.
    std::pair<int, int> judgedCounts(bool everyEntry) const;
    int selectedIndex() const;
    void select(int index);
    // The external screen's view of the list, which follows the selection of new entries.
    void setMirrorView(QTreeView* view);
    bool isChecked(int index) const;
    bool isRed(int index) const;
    QString question(int index) const;

    // Appends a key, split at the delimiter into the two columns. Duplicates are refused
    // unless allowed (the number test may draw a number twice). False when nothing was added.
    bool append(const QString& key, const QString& delimiter, bool red, bool checked = false,
        bool allowDuplicate = false, int line = -1);
    // Removes the checked entries, or the selected one when none is checked.
    void removeSelectedOrChecked();
    void setAllChecked(bool checked);
    void setChecked(int index, bool checked);
    void toggleRed(int index);
    // Empties the visible list, and the entries too unless they must keep a test's results.
    void clear(bool keepShadow = false);
    // Replaces the entries alone (a test's results rebuilt from the edited lists).
    void setShadow(std::vector<GetEntry> entries);
    void refreshCount();

    // Set when the list changes, so that a mirror can follow.
    std::function<void()> onChanged;

private:
    void scrollToCurrentSoon();
    void followSelection(QTreeView& view);
    void rebuildKeys();
    void changed();

    GetListModel m_model;
    QTreeView& m_view;
    QLabel& m_countLabel;
    QHash<QString, int> m_keys; // key → number of entries holding it
    bool m_scrollPending = false;
    int m_pendingCurrent = -1; // a new entry to select once the appends are done
    QTreeView* m_mirror = nullptr;
};

// Keeps the two columns of a list view sized to the view: the questions get the room they
// need and the answers the rest; when both cannot show whole they share the width by what
// each needs. Call once the view has its model.
void fitColumnsToView(QTreeView& view);

// "チェック数　2\r\n正解率　66％" for a list of entries of which checked are checked, with
// the rate its menu item names.
enum class StatisticsRate { Correct, Forgetting }; // 正解率, 忘却率
QString getStatisticsText(StatisticsRate which, int checked, int entries);

} // namespace keruna
