#pragma once

#include "history/historyevent.h"

#include <QList>
#include <QPointF>
#include <QStringList>
#include <QWidget>

#include <array>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QXYSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace keruna {

// The kinds of test, each its own series of points.
inline constexpr std::array<const char*, 4> kHistoryTestKinds {
    "automatic", "manual", "number", "get"};

// One series: its points (x: milliseconds since the epoch, local time) and what each
// stands for: an event of the model drawn, or a text of its own.
struct HistoryPoints {
    QList<QPointF> points;
    QList<const HistoryEvent*> events; // into the model, while it holds these events
    QStringList tips; // for points that are not one event
    // The text of the point's tool tip, made when it is asked for: a year of history has
    // tens of thousands of points and only a few are ever pointed at.
    QString tipAt(int i) const;
};

// What the charts draw, from the events in the order they happened.
struct HistoryChartData {
    HistoryPoints memorized; // the memorized count after each save
    std::array<HistoryPoints, kHistoryTestKinds.size()> rates; // each test's rate, by kind
    HistoryPoints minutesPerDay; // study minutes summed by day, at noon of the day
    qint64 first = 0; // the time span of every point, for the shared time axis
    qint64 last = 0;
    int maxMemorized = 0;
    double maxMinutes = 0;
};

class HistoryModel;
// From the events the table shows.
HistoryChartData historyChartData(const HistoryModel& model);

// The learning history drawn: memorized count and test rates over time above, study
// minutes per day below, on one time axis.
class HistoryChart : public QWidget {
public:
    explicit HistoryChart(QWidget* parent = nullptr);
    void setData(const HistoryChartData& data);

    QChart* progressChart() const { return m_progress; }
    QChart* minutesChart() const { return m_minutes; }

private:
    void addTips(QXYSeries* series, const HistoryPoints* points);

    QChart* m_progress = nullptr;
    QChart* m_minutes = nullptr;
    QChartView* m_progressView = nullptr;
    QChartView* m_minutesView = nullptr;
    QLineSeries* m_memorized = nullptr;
    std::array<QLineSeries*, kHistoryTestKinds.size()> m_rates {};
    QLineSeries* m_minutesSeries = nullptr;
    QDateTimeAxis* m_time = nullptr;
    QDateTimeAxis* m_minutesTime = nullptr;
    QValueAxis* m_rateAxis = nullptr;
    QValueAxis* m_countAxis = nullptr;
    QValueAxis* m_minutesAxis = nullptr;
    HistoryChartData m_data; // the tool tips' texts
};

} // namespace keruna
