#pragma once

#include "history/historychart.h"
#include "history/historyfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QFutureWatcher>
#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace keruna {

class HistoryModel;
class Platform;

// A history read and shaped for the window: the events, those of list (every event's when
// list is empty) and their charts, which refer to the events.
struct HistoryShown {
    HistoryRead read;
    QString list;
    QList<int> rows;
    HistoryChartData chart;
};
HistoryShown readHistoryShown(const QString& path, const QString& list);

// 学習履歴: the learning history of the open list (or of every list) as charts and a table.
// A window of its own, not modal; read from the file each time it is shown or refreshed.
class HistoryWindow : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(HistoryWindow)

public:
    HistoryWindow(HistoryFile& file, Platform& platform, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // The list whose history is shown unless every list is asked for; empty: none open.
    // redraw false: a refresh follows and draws it.
    void setList(const QString& list, bool redraw = true);
    // Reads the file again and shows it. A long history is read off the user-interface
    // thread, the window saying so until it is in.
    void refresh();
    // Until a read in the background is in (tests).
    void awaitRead();
    bool reading() const { return m_reading != nullptr; }
    // The open list's reviews due on each of the coming days from today (today's count
    // holding the overdue ones), and the review log's damaged lines.
    void setReviews(const QDate& today, const QList<int>& duePerDay, int damaged);

    HistoryModel& model() const { return *m_model; }
    HistoryChart& chart() const { return *m_chart; }

private:
    void take(HistoryShown shown);
    QString listShown() const; // empty: every list
    void showFiltered();
    void showChart(HistoryChartData data);
    void exportCsv();
    void clearHistory();

    HistoryFile& m_file;
    Platform& m_platform;
    QString m_list;
    HistoryModel* m_model = nullptr;
    HistoryChart* m_chart = nullptr;
    QCheckBox* m_all = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_due = nullptr;
    QList<int> m_duePerDay;
    QDate m_today;
    int m_reviewDamaged = 0;
    QTableView* m_table = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_clear = nullptr;
    int m_damaged = 0;
    QFutureWatcher<HistoryShown>* m_reading = nullptr;
};

} // namespace keruna
