#include "history/historychart.h"

#include "history/historymodel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLibrary>
#include <QMap>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace keruna {

namespace {

// Milliseconds since the epoch of a local date and time. The start of each day is looked
// up once: a year of history has a few hundred days and a hundred thousand events.
class LocalTime {
public:
    qint64 at(const QDate& date, const QTime& time)
    {
        auto it = m_days.constFind(date);
        if (it == m_days.constEnd())
            it = m_days.insert(date, QDateTime(date, QTime(0, 0)).toMSecsSinceEpoch());
        return *it + time.msecsSinceStartOfDay();
    }

private:
    QHash<QDate, qint64> m_days;
};

void widen(HistoryChartData& d, qint64 x)
{
    if (d.first == 0 && d.last == 0) {
        d.first = d.last = x;
        return;
    }
    d.first = std::min(d.first, x);
    d.last = std::max(d.last, x);
}

int kindIndex(const QString& kind)
{
    for (size_t i = 0; i < kHistoryTestKinds.size(); ++i) {
        if (kind == QLatin1String(kHistoryTestKinds[i]))
            return int(i);
    }
    return 0;
}

QString tip(const HistoryEvent& e)
{
    return historyDateText(e) + u'　' + historyKindText(e) + u'　' + historySummary(e);
}

// A long series is drawn by what each of kBuckets slices of its time span shows: the
// slice's lowest and highest point, slice after slice in time, each still its own event's.
// Qt Charts takes some 70 microseconds a point to take in and draw a series: every point
// of a year's history held the window for seconds. A history is not always in time order
// (a clock set back, a copied file), so a slice gathers its points wherever they stand.
void thin(HistoryPoints& series, qint64 first, qint64 last)
{
    constexpr int kBuckets = 150;
    if (series.points.size() <= 2 * kBuckets || last <= first)
        return;
    const double width = double(last - first + 1) / kBuckets;
    std::array<int, kBuckets> low;
    std::array<int, kBuckets> high;
    low.fill(-1);
    high.fill(-1);
    for (int i = 0; i < series.points.size(); ++i) {
        const double y = series.points[i].y();
        const int b
            = std::clamp(int((series.points[i].x() - double(first)) / width), 0, kBuckets - 1);
        if (low[b] < 0 || y < series.points[low[b]].y())
            low[b] = i;
        if (high[b] < 0 || y > series.points[high[b]].y())
            high[b] = i;
    }
    HistoryPoints kept;
    kept.describe = series.describe;
    const auto keep = [&](int i) {
        kept.points.append(series.points[i]);
        kept.events.append(series.events[i]);
    };
    for (int b = 0; b < kBuckets; ++b) {
        if (low[b] < 0)
            continue;
        // In the order they happened.
        const bool lowFirst = series.points[low[b]].x() < series.points[high[b]].x()
            || (series.points[low[b]].x() == series.points[high[b]].x() && low[b] < high[b]);
        keep(lowFirst ? low[b] : high[b]);
        if (low[b] != high[b])
            keep(lowFirst ? high[b] : low[b]);
    }
    series = std::move(kept);
}

} // namespace

HistoryChartData historyChartData(const HistoryModel& model)
{
    return historyChartData(model.events(), model.rows());
}

HistoryChartData historyChartData(const QList<HistoryEvent>& events, const QList<int>& rows)
{
    HistoryChartData d;
    d.memorized.describe = tip;
    for (HistoryPoints& rates : d.rates)
        rates.describe = tip;
    LocalTime local;
    QMap<QDate, double> minutes;
    for (int row : rows) {
        const HistoryEvent& e = events[row];
        const qint64 x = local.at(e.date, e.time);
        switch (e.kind) {
        case HistoryKind::Save:
            d.memorized.points.append(QPointF(double(x), e.memorized));
            d.memorized.events.append(&e);
            d.maxMemorized = std::max(d.maxMemorized, e.memorized);
            widen(d, x);
            break;
        case HistoryKind::Test: {
            HistoryPoints& series = d.rates[size_t(kindIndex(e.testKind))];
            series.points.append(QPointF(double(x), e.rate));
            series.events.append(&e);
            widen(d, x);
            break;
        }
        case HistoryKind::Study:
            minutes[e.date] += e.minutes;
            break;
        }
    }
    for (auto it = minutes.cbegin(); it != minutes.cend(); ++it) {
        const qint64 x = local.at(it.key(), QTime(12, 0));
        d.minutesPerDay.points.append(QPointF(double(x), it.value()));
        d.minutesPerDay.tips.append(it.key().toString(QStringLiteral("yyyy/MM/dd")) + u'　'
            + QCoreApplication::translate("HistoryChart", "学習 %1分")
                  .arg(QString::number(it.value(), 'f', 1)));
        d.maxMinutes = std::max(d.maxMinutes, it.value());
        widen(d, x);
    }
    thin(d.memorized, d.first, d.last);
    for (HistoryPoints& rates : d.rates)
        thin(rates, d.first, d.last);
    d.axis = historyTimeAxis(d.first, d.last);
    return d;
}

HistoryChartData::TimeAxis historyTimeAxis(qint64 first, qint64 last)
{
    constexpr qint64 kHour = 60 * 60 * 1000;
    constexpr qint64 kDay = 24 * kHour;
    if (first == 0 && last == 0)
        first = last = QDateTime::currentMSecsSinceEpoch();
    // A single event still gets a span to be drawn in: half a day either side.
    if (last - first < kDay) {
        const qint64 middle = first + (last - first) / 2;
        first = middle - kDay / 2;
        last = middle + kDay / 2;
    }
    // The smallest step that needs at most eight intervals.
    const auto stepFor = [](qint64 units, std::initializer_list<int> steps) {
        for (int step : steps) {
            if ((units + step - 1) / step <= 8)
                return step;
        }
        return int((units + 7) / 8);
    };
    HistoryChartData::TimeAxis axis;
    QDateTime from = QDateTime::fromMSecsSinceEpoch(first);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(last);
    if (last - first < 3 * kDay) {
        // Whole hours: the points of a few days are told apart by the hour.
        from = QDateTime(from.date(), QTime(from.time().hour(), 0));
        const auto hoursTo = [&to](const QDateTime& start) {
            return (to.toMSecsSinceEpoch() - start.toMSecsSinceEpoch() + kHour - 1) / kHour;
        };
        const int step = stepFor(hoursTo(from), {1, 2, 3, 4, 6, 12, 24});
        from = from.addSecs(-qint64(from.time().hour() % step) * 3600);
        const qint64 intervals = std::max<qint64>(1, (hoursTo(from) + step - 1) / step);
        axis.from = from.toMSecsSinceEpoch();
        axis.to = from.addSecs(intervals * step * 3600).toMSecsSinceEpoch();
        axis.ticks = int(intervals) + 1;
        axis.format = QStringLiteral("MM/dd HH:mm");
        return axis;
    }
    // Whole days, from the start of the first to the end of the last.
    from = QDateTime(from.date(), QTime(0, 0));
    const qint64 days = from.date().daysTo(to.date()) + 1;
    const int step = stepFor(days, {1, 2, 3, 7, 14, 28, 56, 91, 182, 364, 728});
    const qint64 intervals = (days + step - 1) / step;
    axis.from = from.toMSecsSinceEpoch();
    axis.to = QDateTime(from.date().addDays(intervals * step), QTime(0, 0)).toMSecsSinceEpoch();
    axis.ticks = int(intervals) + 1;
    axis.format = QStringLiteral("yyyy/MM/dd");
    return axis;
}

namespace {

// Where the module cannot be loaded: the history's table still shows, and this says why
// the charts do not.
class ChartUnavailable final : public HistoryChart {
public:
    ChartUnavailable(QWidget* parent, const QString& reason)
        : HistoryChart(parent)
    {
        auto* layout = new QVBoxLayout(this);
        auto* notice = new QLabel(
            QCoreApplication::translate("HistoryChart", "学習履歴のグラフを表示できません。\n%1")
                .arg(reason),
            this);
        notice->setObjectName(QStringLiteral("rirekiChartMissing"));
        notice->setWordWrap(true);
        notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(notice);
    }
    void setData(const HistoryChartData&) override { }
};

} // namespace

HistoryChartModule loadHistoryChartModule(const QStringList& folders)
{
    HistoryChartModule module;
    QStringList errors;
    QStringList looked;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        looked.append(folder);
        const QString path = QDir(folder).filePath(QString::fromLatin1(kHistoryChartModule));
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        if (!library.load()) {
            errors.append(library.errorString());
            continue;
        }
        // Loaded for the rest of the run: the charts it makes come and go with the window.
        module.make = reinterpret_cast<HistoryChartMaker>(library.resolve(kHistoryChartMaker));
        if (module.make)
            return module;
        errors.append(library.errorString());
        library.unload();
    }
    if (errors.isEmpty())
        errors.append(
            QCoreApplication::translate("HistoryChart", "%1 が見つかりません（%2）")
                .arg(QString::fromLatin1(kHistoryChartModule), looked.join(QStringLiteral("、"))));
    module.error = errors.join(u'\n');
    return module;
}

HistoryChart* makeHistoryChart(QWidget* parent)
{
    static const HistoryChartModule module = [] {
        // Beside the program in the build tree; installed, in the program's own library
        // folder; KERUNA_MODULE_DIR first, for the tests and for trying another build.
        const QString programFolder = QCoreApplication::applicationDirPath();
        return loadHistoryChartModule({qEnvironmentVariable("KERUNA_MODULE_DIR"),
            QDir::cleanPath(programFolder + u'/' + QStringLiteral(KERUNA_MODULE_PATH)),
            programFolder});
    }();
    return makeHistoryChart(parent, module);
}

HistoryChart* makeHistoryChart(QWidget* parent, const HistoryChartModule& module)
{
    if (module.make)
        return module.make(parent);
    return new ChartUnavailable(parent, module.error);
}

} // namespace keruna
