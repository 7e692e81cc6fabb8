// The learning history's charts, drawn by Qt Charts. Built as a module of its own and
// loaded when the history is first shown: it uses nothing of the program but the header
// it includes, and the program starts without Qt Charts and the libraries it brings.
#include "history/historychart.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace keruna {

namespace {

const char* const kRateNames[] = {QT_TRANSLATE_NOOP("HistoryChart", "自動テスト"),
    QT_TRANSLATE_NOOP("HistoryChart", "手動テスト"),
    QT_TRANSLATE_NOOP("HistoryChart", "数字テスト"),
    QT_TRANSLATE_NOOP("HistoryChart", "GETテスト")};

// Bars of a day's width less a margin, one per point (x at noon of the day): the outline
// of all the bars, which an area series fills down to the axis.
QList<QPointF> barOutline(const QList<QPointF>& days)
{
    constexpr double kBarHalf = 0.4 * 24 * 60 * 60 * 1000;
    QList<QPointF> outline;
    outline.reserve(days.size() * 4);
    for (const QPointF& day : days) {
        outline << QPointF(day.x() - kBarHalf, 0) << QPointF(day.x() - kBarHalf, day.y())
                << QPointF(day.x() + kBarHalf, day.y()) << QPointF(day.x() + kBarHalf, 0);
    }
    return outline;
}

// A chart of one bar a day: a time axis below, a count axis at the left, no legend.
struct DayBars {
    QChart* chart = nullptr;
    QDateTimeAxis* time = nullptr;
    QValueAxis* counts = nullptr;
    QLineSeries* outline = nullptr; // the bars' outline, not shown itself
    QAreaSeries* bars = nullptr;
};

DayBars makeDayBars(
    QObject* owner, const QString& dateFormat, const QString& name, const QColor& fill)
{
    DayBars d;
    d.chart = new QChart;
    d.chart->legend()->hide();
    d.chart->setMargins(QMargins(4, 0, 4, 4));
    d.time = new QDateTimeAxis;
    d.time->setFormat(dateFormat);
    d.counts = new QValueAxis;
    d.counts->setLabelFormat(QStringLiteral("%d"));
    d.counts->setTickCount(3);
    d.chart->addAxis(d.time, Qt::AlignBottom);
    d.chart->addAxis(d.counts, Qt::AlignLeft);
    d.outline = new QLineSeries(owner);
    d.bars = new QAreaSeries(d.outline);
    d.bars->setName(name);
    d.bars->setColor(fill);
    d.bars->setBorderColor(fill.darker(140));
    d.chart->addSeries(d.bars);
    d.bars->attachAxis(d.time);
    d.bars->attachAxis(d.counts);
    return d;
}

// A series of shown points in chart, against the axes x and y.
QLineSeries* addPointSeries(QChart* chart, const QString& name, QAbstractAxis* x, QAbstractAxis* y)
{
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPointsVisible(true);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

// Qt Charts draws the only point of a series as a speck, not as its marker: a twin a
// millisecond later makes it a dot like every other.
QList<QPointF> drawable(const QList<QPointF>& points)
{
    if (points.size() != 1)
        return points;
    return {points.front(), QPointF(points.front().x() + 1, points.front().y())};
}

class ChartsHistoryChart final : public HistoryChart {
public:
    explicit ChartsHistoryChart(QWidget* parent);
    void setData(const HistoryChartData& data) override;

private:
    template <class Series> void addTips(Series* series, const HistoryPoints* points);

    QChart* m_progress = nullptr;
    DayBars m_minutes;
    QChartView* m_progressView = nullptr;
    QChartView* m_minutesView = nullptr;
    QLineSeries* m_memorized = nullptr;
    std::array<QLineSeries*, kHistoryTestKinds.size()> m_rates {};
    DayBars m_forecast;
    QChartView* m_forecastView = nullptr;
    QDateTimeAxis* m_time = nullptr;
    QValueAxis* m_rateAxis = nullptr;
    QValueAxis* m_countAxis = nullptr;
    HistoryChartData m_data; // the tool tips' texts
};

ChartsHistoryChart::ChartsHistoryChart(QWidget* parent)
    : HistoryChart(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_progress = new QChart;
    m_progress->legend()->setAlignment(Qt::AlignBottom);
    m_progress->setMargins(QMargins(4, 4, 4, 4));
    m_time = new QDateTimeAxis;
    m_time->setFormat(QStringLiteral("yyyy/MM/dd"));
    m_rateAxis = new QValueAxis;
    m_rateAxis->setRange(0, 100);
    m_rateAxis->setLabelFormat(QStringLiteral("%d"));
    m_rateAxis->setTickCount(6);
    m_rateAxis->setTitleText(QCoreApplication::translate("HistoryChart", "正解率（％）"));
    m_countAxis = new QValueAxis;
    m_countAxis->setLabelFormat(QStringLiteral("%d"));
    m_countAxis->setTitleText(QCoreApplication::translate("HistoryChart", "暗記済（語）"));
    m_progress->addAxis(m_time, Qt::AlignBottom);
    m_progress->addAxis(m_rateAxis, Qt::AlignLeft);
    m_progress->addAxis(m_countAxis, Qt::AlignRight);

    m_memorized = addPointSeries(
        m_progress, QCoreApplication::translate("HistoryChart", "暗記済の数"), m_time, m_countAxis);
    // Each test a dot: a line series with no line draws its points in one pass, where a
    // scatter series makes a graphics item of every point (seconds for a year of tests).
    const QColor colours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
        QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd)};
    for (size_t i = 0; i < m_rates.size(); ++i) {
        m_rates[i] = addPointSeries(m_progress,
            QCoreApplication::translate("HistoryChart", kRateNames[i]), m_time, m_rateAxis);
        QPen dots(colours[i], 2);
        dots.setStyle(Qt::NoPen);
        m_rates[i]->setPen(dots);
        m_rates[i]->setColor(colours[i]);
        m_rates[i]->setMarkerSize(7);
    }

    m_minutes = makeDayBars(this, QStringLiteral("yyyy/MM/dd"),
        QCoreApplication::translate("HistoryChart", "学習時間"), QColor(0x2c, 0xa0, 0x2c));
    m_minutes.counts->setTitleText(QCoreApplication::translate("HistoryChart", "学習（分／日）"));
    // The coming 30 days' reviews, on a time axis of their own, named above the chart: a
    // short chart leaves no room along its axis for a title.
    m_forecast = makeDayBars(this, QStringLiteral("MM/dd"),
        QCoreApplication::translate("HistoryChart", "復習予定"), QColor(0x94, 0x67, 0xbd));
    m_forecast.chart->setTitle(
        QCoreApplication::translate("HistoryChart", "これからの復習（語／日）"));

    m_progressView = new QChartView(m_progress);
    m_progressView->setObjectName(QStringLiteral("rirekiChart"));
    m_progressView->setAccessibleName(
        QCoreApplication::translate("HistoryChart", "暗記済の数と正解率の推移"));
    m_progressView->setRenderHint(QPainter::Antialiasing);
    m_minutesView = new QChartView(m_minutes.chart);
    m_minutesView->setObjectName(QStringLiteral("rirekiMinutes"));
    m_minutesView->setAccessibleName(QCoreApplication::translate("HistoryChart", "1日の学習時間"));
    m_minutesView->setRenderHint(QPainter::Antialiasing);
    // Tall enough that every axis label stands whole.
    m_progressView->setMinimumHeight(260);
    m_minutesView->setMinimumHeight(150);
    m_forecastView = new QChartView(m_forecast.chart);
    m_forecastView->setObjectName(QStringLiteral("rirekiForecast"));
    m_forecastView->setAccessibleName(
        QCoreApplication::translate("HistoryChart", "これからの復習（30日）"));
    m_forecastView->setRenderHint(QPainter::Antialiasing);
    m_forecastView->setMinimumHeight(150);
    m_forecastView->hide();
    layout->addWidget(m_progressView, 3);
    layout->addWidget(m_minutesView, 2);
    layout->addWidget(m_forecastView, 2);

    addTips(m_memorized, &m_data.memorized);
    for (size_t i = 0; i < m_rates.size(); ++i)
        addTips(m_rates[i], &m_data.rates[i]);
    addTips(m_minutes.bars, &m_data.minutesPerDay);
}

template <class Series>
void ChartsHistoryChart::addTips(Series* series, const HistoryPoints* points)
{
    connect(series, &Series::hovered, this, [points](const QPointF& at, bool state) {
        if (!state) {
            QToolTip::hideText();
            return;
        }
        // The point nearest to the pointer in time.
        const QList<QPointF>& all = points->points;
        const auto after = std::lower_bound(all.cbegin(), all.cend(), at,
            [](const QPointF& p, const QPointF& q) { return p.x() < q.x(); });
        int best = int(after - all.cbegin());
        if (best == all.size() || (best > 0 && at.x() - all[best - 1].x() < all[best].x() - at.x()))
            --best;
        if (best >= 0)
            QToolTip::showText(QCursor::pos(), points->tipAt(best));
    });
}

void ChartsHistoryChart::setData(const HistoryChartData& data)
{
    m_data = data;
    m_memorized->replace(drawable(m_data.memorized.points));
    // Dots on the line only while they can be told apart; the line says the rest. (A long
    // history is thinned to fewer; with its dots shown Qt Charts draws it quicker, too.)
    m_memorized->setPointsVisible(m_data.memorized.points.size() <= 400);
    // Tests are dots alone: of a long history, each slice of time's lowest and highest.
    for (size_t i = 0; i < m_rates.size(); ++i)
        m_rates[i]->replace(drawable(m_data.rates[i].points));
    m_minutes.outline->replace(barOutline(m_data.minutesPerDay.points));
    m_forecastView->setVisible(!m_data.forecast.isEmpty());
    if (!m_data.forecast.isEmpty()) {
        constexpr qint64 kHalfDay = 12 * 60 * 60 * 1000;
        m_forecast.outline->replace(barOutline(m_data.forecast));
        m_forecast.time->setRange(
            QDateTime::fromMSecsSinceEpoch(qint64(m_data.forecast.front().x()) - kHalfDay),
            QDateTime::fromMSecsSinceEpoch(qint64(m_data.forecast.back().x()) + kHalfDay));
        double most = 0;
        for (const QPointF& day : m_data.forecast)
            most = std::max(most, day.y());
        m_forecast.counts->setRange(0, std::max(5.0, most * 1.1));
        m_forecast.counts->applyNiceNumbers();
    }
    for (QDateTimeAxis* axis : {m_time, m_minutes.time}) {
        axis->setFormat(m_data.axis.format);
        axis->setTickCount(m_data.axis.ticks);
        axis->setRange(QDateTime::fromMSecsSinceEpoch(m_data.axis.from),
            QDateTime::fromMSecsSinceEpoch(m_data.axis.to));
    }
    // A tool tip shown over the old data would stay where its point no longer is.
    QToolTip::hideText();
    m_countAxis->setRange(0, std::max(10, m_data.maxMemorized + m_data.maxMemorized / 10));
    m_countAxis->applyNiceNumbers();
    m_minutes.counts->setRange(0, std::max(10.0, m_data.maxMinutes * 1.1));
    m_minutes.counts->applyNiceNumbers();
}

} // namespace

} // namespace keruna

extern "C" Q_DECL_EXPORT keruna::HistoryChart* keruna_make_history_chart(QWidget* parent)
{
    return new keruna::ChartsHistoryChart(parent);
}
