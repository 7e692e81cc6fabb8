#include "database/dblistmodel.h"

#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"

#include <QBrush>
#include <QColor>
#include <QDate>

#include <tuple>

#include <algorithm>

namespace keruna {

namespace {

constexpr int kColumns = 2;

} // namespace

DbEntry makeDbEntry(const QString& text, const QString& delimiter, bool red, int line)
{
    DbEntry e;
    e.text = text;
    e.red = red;
    e.line = line;
    std::tie(e.question, e.answer) = listColumns(text, delimiter);
    return e;
}

DbListModel::DbListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int DbListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int DbListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant DbListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const DbEntry& e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? e.question : e.answer;
    case Qt::ForegroundRole:
        // Pure red in both columns; otherwise the view's own text colour.
        return e.red ? QVariant(QBrush(QColor(255, 0, 0))) : QVariant();
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return e.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        if (const auto due = m_reviewDays.constFind(e.text); due != m_reviewDays.constEnd())
            return tr("次の復習：%1")
                .arg(QDate::fromJulianDay(*due).toString(QStringLiteral("yyyy/MM/dd")));
        return {};
    default:
        return {};
    }
}

bool DbListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != 0
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags DbListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant DbListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return tr("問題");
    if (section == 1)
        return tr("答え");
    return {};
}

int DbListModel::checkedCount() const
{
    int n = 0;
    for (const DbEntry& e : m_entries)
        n += e.checked ? 1 : 0;
    return n;
}

int DbListModel::firstChecked() const
{
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).checked)
            return i;
    }
    return -1;
}

QList<ListEntry> DbListModel::entries() const
{
    QList<ListEntry> out;
    out.reserve(m_entries.size());
    for (const DbEntry& e : m_entries)
        out.append(ListEntry {e.text, e.red, e.checked, e.line});
    return out;
}

void DbListModel::setEntries(QList<DbEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void DbListModel::append(QList<DbEntry> entries)
{
    if (entries.isEmpty())
        return;
    beginInsertRows({}, count(), count() + int(entries.size()) - 1);
    m_entries.append(std::move(entries));
    endInsertRows();
}

DbEntry DbListModel::take(int row)
{
    beginRemoveRows({}, row, row);
    DbEntry e = m_entries.takeAt(row);
    endRemoveRows();
    e.checked = false;
    return e;
}

QList<DbEntry> DbListModel::takeChecked()
{
    QList<DbEntry> moved;
    QList<DbEntry> kept;
    kept.reserve(m_entries.size());
    for (DbEntry& e : m_entries) {
        const bool wasChecked = e.checked;
        e.checked = false;
        (wasChecked ? moved : kept).append(std::move(e));
    }
    setEntries(std::move(kept));
    return moved;
}

void DbListModel::rowChanged(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, kColumns - 1));
}

void DbListModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= count() || m_entries[row].checked == checked)
        return;
    m_entries[row].checked = checked;
    rowChanged(row, row);
}

void DbListModel::setAllChecked(bool checked)
{
    if (isEmpty())
        return;
    for (DbEntry& e : m_entries)
        e.checked = checked;
    rowChanged(0, count() - 1);
}

void DbListModel::toggleRed(int row)
{
    if (row < 0 || row >= count())
        return;
    m_entries[row].red = !m_entries[row].red;
    rowChanged(row, row);
}

void DbListModel::toggleRedChecked()
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < count(); ++i) {
        DbEntry& e = m_entries[i];
        if (!e.checked)
            continue;
        e.red = !e.red;
        if (first < 0)
            first = i;
        last = i;
    }
    if (first >= 0)
        rowChanged(first, last);
}

void FillDbLists(
    const ProblemSet& set, const QString& delimiter, DbListModel& memorized, DbListModel& notYet)
{
    // From the records of the whole file, as loading filed them, so each entry learns the
    // index of its line.
    QList<DbEntry> left;
    QList<DbEntry> right;
    left.reserve(set.memorizedList.size());
    right.reserve(set.notYetList.size());
    for (int i = 0; i < int(set.allList.size()); ++i) {
        const QString& record = set.allList.at(i);
        (isMemorizedRecord(record) ? left : right)
            .append(makeDbEntry(itemTextOf(record), delimiter, isRedRecord(record), i));
    }
    memorized.setEntries(std::move(left));
    notYet.setEntries(std::move(right));
    memorized.setReviewDays(set.reviewDays);
    notYet.setReviewDays(set.reviewDays);
}

int moveDbEntries(DbListModel& from, DbListModel& to, int selectedRow)
{
    if (from.isEmpty())
        return -1;
    QList<DbEntry> moved;
    if (from.firstChecked() >= 0) {
        moved = from.takeChecked();
    } else {
        if (selectedRow < 0 || selectedRow >= from.count())
            return -1;
        moved.append(from.take(selectedRow));
    }
    to.append(std::move(moved));
    return to.count() - 1;
}

DbListModel::SavedForm DbListModel::savedForm() const
{
    SavedForm out;
    out.reserve(m_entries.size());
    for (const DbEntry& e : m_entries)
        out.append({e.line, e.text, e.red});
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace keruna
