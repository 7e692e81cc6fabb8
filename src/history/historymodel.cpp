#include "history/historymodel.h"

#include <QDir>
#include <QFileInfo>

namespace keruna {

HistoryModel::HistoryModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const HistoryEvent& e = eventAt(index.row());
    if (role == Qt::ToolTipRole && index.column() == List)
        return QDir::toNativeSeparators(e.list);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case When:
        return historyDateText(e);
    case Kind:
        return historyKindText(e);
    case Summary:
        return historySummary(e);
    case List:
        return QFileInfo(e.list).fileName();
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case When:
        return tr("日時");
    case Kind:
        return tr("種類");
    case Summary:
        return tr("内容");
    case List:
        return tr("問題データ");
    default:
        return {};
    }
}

void HistoryModel::setEvents(QList<HistoryEvent> events)
{
    beginResetModel();
    m_events = std::move(events);
    refilter();
    endResetModel();
}

void HistoryModel::setEvents(QList<HistoryEvent> events, const QString& list, QList<int> rows)
{
    beginResetModel();
    m_events = std::move(events);
    m_list = list;
    m_rows = std::move(rows);
    endResetModel();
}

void HistoryModel::setList(const QString& list)
{
    if (list == m_list)
        return;
    beginResetModel();
    m_list = list;
    refilter();
    endResetModel();
}

void HistoryModel::refilter()
{
    m_rows = historyRows(m_events, m_list);
}

QList<int> historyRows(const QList<HistoryEvent>& events, const QString& list)
{
    QList<int> rows;
    rows.reserve(events.size());
    for (int i = 0; i < events.size(); ++i) {
        if (list.isEmpty() || events[i].list == list)
            rows.append(i);
    }
    return rows;
}

QList<HistoryEvent> HistoryModel::shownEvents() const
{
    QList<HistoryEvent> out;
    out.reserve(m_rows.size());
    for (int i : m_rows)
        out.append(m_events[i]);
    return out;
}

} // namespace keruna
