#pragma once

#include <QDate>
#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace keruna {

class HistoryChart;
class HistoryFile;
class HistoryModel;
class Platform;

// 学習履歴: the learning history of the open list (or of every list) as charts and a table.
// A window of its own, not modal; read from the file each time it is shown or refreshed.
class HistoryWindow : public QWidget {
public:
    HistoryWindow(HistoryFile& file, Platform& platform, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // The list whose history is shown unless every list is asked for; empty: none open.
    // redraw false: a refresh follows and draws it.
    void setList(const QString& list, bool redraw = true);
    // Reads the file again and shows it.
    void refresh();
    // The open list's reviews due on each of the coming days from today (today's count
    // holding the overdue ones), and the review log's damaged lines.
    void setReviews(const QDate& today, const QList<int>& duePerDay, int damaged);

    HistoryModel& model() const { return *m_model; }
    HistoryChart& chart() const { return *m_chart; }

private:
    void showFiltered();
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
    QTreeView* m_table = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_clear = nullptr;
    int m_damaged = 0;
};

} // namespace keruna
