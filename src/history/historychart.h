#pragma once

#include "history/historyevent.h"

#include <QList>
#include <QPointF>
#include <QStringList>
#include <QWidget>

#include <array>

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
    QString (*describe)(const HistoryEvent&) = nullptr; // an event's tool tip
    // The text of the point's tool tip, made when it is asked for: a year of history has
    // tens of thousands of points and only a few are ever pointed at.
    QString tipAt(int i) const
    {
        if (i >= 0 && i < events.size() && describe)
            return describe(*events[i]);
        return tips.value(i);
    }
};

// What the charts draw, from the events in the order they happened.
struct HistoryChartData {
    HistoryPoints memorized; // the memorized count after each save
    std::array<HistoryPoints, kHistoryTestKinds.size()> rates; // each test's rate, by kind
    HistoryPoints minutesPerDay; // study minutes summed by day, at noon of the day
    // Reviews falling due on each of the coming days (today holds the overdue ones), at
    // noon of the day; empty when no list with a schedule is open.
    QList<QPointF> forecast;
    qint64 first = 0; // the time span of every point, for the shared time axis
    qint64 last = 0;
    int maxMemorized = 0;
    double maxMinutes = 0;
    // The time axis: from and to whole hours or days, with ticks on whole ones.
    struct TimeAxis {
        qint64 from = 0;
        qint64 to = 0;
        int ticks = 2;
        QString format;
    } axis;
};

// The axis over first..last (now where there are no points): hours for a span under three
// days, else days, in steps that give at most eight intervals.
HistoryChartData::TimeAxis historyTimeAxis(qint64 first, qint64 last);

class HistoryModel;
// From the events the table shows.
HistoryChartData historyChartData(const HistoryModel& model);
// From the events at rows (oldest first); its points refer to events.
HistoryChartData historyChartData(const QList<HistoryEvent>& events, const QList<int>& rows);

// The learning history drawn: memorized count and test rates over time above, study
// minutes per day below, on one time axis.
//
// Drawn by Qt Charts, which with the libraries it brings takes two milliseconds to load:
// it lives in a module of its own (keruna-charts.so), loaded when the history is first
// shown, so every start of the program does without it. Everything the module uses of
// ours is in this header.
class HistoryChart : public QWidget {
public:
    using QWidget::QWidget;
    virtual void setData(const HistoryChartData& data) = 0;
};

// The charts from the module; where it cannot be loaded, a notice saying so, and the rest
// of the history window works as ever.
HistoryChart* makeHistoryChart(QWidget* parent);

// The module's maker, found in the first of folders that has a module that loads; the
// reasons of those that did not otherwise.
using HistoryChartMaker = HistoryChart* (*)(QWidget* parent);
struct HistoryChartModule {
    HistoryChartMaker make = nullptr;
    QString error;
};
HistoryChartModule loadHistoryChartModule(const QStringList& folders);
// The charts from module, or the notice of why there are none.
HistoryChart* makeHistoryChart(QWidget* parent, const HistoryChartModule& module);

// The module's file name, and the one function it exports.
inline constexpr char kHistoryChartModule[] = "keruna-charts.so";
inline constexpr char kHistoryChartMaker[] = "keruna_make_history_chart";

} // namespace keruna
