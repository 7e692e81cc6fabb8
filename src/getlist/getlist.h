#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace keruna {

// One entry of the hidden shadow list: the item's key text, its check and its red mark.
struct GetEntry {
    QString key;
    bool checked = false;
    bool red = false;
};

// The GET list: the visible list (question and answer columns, check boxes, red entries)
// and its shadow list, kept entry for entry in the same order. Lookups by key take
// constant time: every shown item is checked against the list.
class GetList {
public:
    GetList(QTreeWidget& view, QLabel& countLabel);

    int count() const { return int(m_shadow.size()); }
    bool isEmpty() const { return m_shadow.empty(); }
    bool contains(const QString& key) const { return m_keys.contains(key); }
    const std::vector<GetEntry>& shadow() const { return m_shadow; }
    int checkedCount() const;
    int selectedIndex() const;
    bool isChecked(int index) const;
    bool isRed(int index) const;

    // Appends a key, split at the delimiter into the two columns. Duplicates are refused
    // unless allowed (the number test may draw a number twice). False when nothing was added.
    bool append(const QString& key, const QString& delimiter, bool red, bool checked = false,
        bool allowDuplicate = false);
    // Removes the checked entries, or the selected one when none is checked.
    void removeSelectedOrChecked(const QString& delimiter);
    void setAllChecked(bool checked);
    void setChecked(int index, bool checked);
    void toggleRed(int index);
    // Empties the visible list, and the shadow list too unless it must keep a test's results.
    void clear(bool keepShadow = false);
    // The checks shown become the shadow list's, which outlives the visible list once a
    // test has ended.
    void carryChecksToShadow();
    // Replaces the shadow list alone (a test's results rebuilt from the edited lists).
    void setShadow(std::vector<GetEntry> entries);
    // Entries shown in the visible list, and how many of them are checked.
    int shownCount() const;
    void refreshCount();

    // Set when the list changes, so that a mirror can follow.
    std::function<void()> onChanged;

private:
    QTreeWidgetItem* makeItem(const QString& key, const QString& delimiter, bool red, bool checked);
    void forget(const QString& key);
    void scrollToCurrentSoon();
    void changed();

    QTreeWidget& m_view;
    QLabel& m_countLabel;
    std::vector<GetEntry> m_shadow;
    QHash<QString, int> m_keys; // key → number of entries holding it
    bool m_scrollPending = false;
};

// "チェック数　2\r\n正解率　66％" for a list of entries of which checked are checked;
// the label is the caption's seventh to ninth characters.
QString getStatisticsText(const QString& caption, int checked, int entries);

} // namespace keruna
