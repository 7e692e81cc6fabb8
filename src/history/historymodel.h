#pragma once

#include "history/historyevent.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QList>

namespace keruna {

// The events as a table, newest first, for one list or for every list.
class HistoryModel : public QAbstractTableModel {
    Q_DECLARE_TR_FUNCTIONS(HistoryModel)

public:
    enum Column { When, Kind, Summary, List, ColumnCount };

    explicit HistoryModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // events in the order they happened; list empty: every list.
    void setEvents(QList<HistoryEvent> events);
    // The same with the rows of list already found (historyRows).
    void setEvents(QList<HistoryEvent> events, const QString& list, QList<int> rows);
    void setList(const QString& list);
    const QString& list() const { return m_list; }

    // The events shown, in the order they happened.
    QList<HistoryEvent> shownEvents() const;
    const QList<HistoryEvent>& events() const { return m_events; }
    const QList<int>& rows() const { return m_rows; }
    const HistoryEvent& eventAt(int row) const
    {
        return m_events.at(m_rows.at(m_rows.size() - 1 - row));
    }

private:
    void refilter();

    QList<HistoryEvent> m_events;
    QList<int> m_rows; // indexes of the events shown, oldest first
    QString m_list;
};

// The indexes of list's events (every event's when list is empty), oldest first.
QList<int> historyRows(const QList<HistoryEvent>& events, const QString& list);

} // namespace keruna
