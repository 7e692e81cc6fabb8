#include "common/textfile.h"
#include "history/historychart.h"
#include "history/historyfile.h"
#include "history/historymodel.h"
#include "history/historywindow.h"
#include "support/harness.h"
#include "support/smalldisk.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>

#include <gtest/gtest.h>

#include <thread>

using namespace keruna;
using namespace keruna::test;

namespace {

HistoryEvent testEvent(int day, const QString& list, int rate, const char* kind = "automatic")
{
    HistoryEvent e;
    e.date = QDate(2026, 11, day);
    e.time = QTime(9, 30, 5);
    e.kind = HistoryKind::Test;
    e.list = list;
    e.testKind = QString::fromLatin1(kind);
    e.typed = true;
    e.range = QStringLiteral("【未】");
    e.items = 30;
    e.answered = 20;
    e.correct = rate / 5;
    e.wrong = 20 - rate / 5;
    e.rate = rate;
    return e;
}

HistoryEvent saveEvent(int day, const QString& list, int memorized)
{
    HistoryEvent e;
    e.date = QDate(2026, 11, day);
    e.time = QTime(21, 0, 0);
    e.kind = HistoryKind::Save;
    e.list = list;
    e.notYet = 100 - memorized;
    e.memorized = memorized;
    e.red = 3;
    return e;
}

HistoryEvent studyEvent(int day, const QString& list, double minutes)
{
    HistoryEvent e;
    e.date = QDate(2026, 11, day);
    e.time = QTime(7, 15, 0);
    e.kind = HistoryKind::Study;
    e.list = list;
    e.minutes = minutes;
    e.shown = 40;
    return e;
}

} // namespace

// Each event comes back as it was appended, paths with commas and quotes included; the
// file is a header and one line an event, and appending never rewrites what is there.
TEST(HistoryFile, AppendsComeBackAsTheyWereWrittenLineByLine)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    const QString odd = QStringLiteral("/home/学習者/\"単語\", 第1集.txt");
    QList<HistoryEvent> written {testEvent(1, odd, 85), saveEvent(1, odd, 40),
        studyEvent(2, QStringLiteral("/a.txt"), 12.25), testEvent(3, odd, 0, "get")};
    written[3].listening = written[3].reverse = true;
    written[3].typed = false;
    for (int round = 0; round < 2; ++round) {
        for (const HistoryEvent& e : written.mid(round * 2, 2)) {
            const QByteArray before = readBytes(file.path());
            ASSERT_TRUE(file.append(e));
            EXPECT_TRUE(readBytes(file.path()).startsWith(before));
        }
    }
    const QByteArray bytes = readBytes(file.path());
    EXPECT_TRUE(bytes.startsWith(historyHeader() + "\n"));
    EXPECT_EQ(bytes.count('\n'), 5);
    const HistoryRead read = file.read();
    EXPECT_EQ(read.damaged, 0);
    EXPECT_EQ(read.events, written);
}

// A line cut short by a crash and a damaged line in the middle are skipped and counted as
// they are; the next append starts a line of its own. A missing file is an empty history.
TEST(HistoryFile, TornAndDamagedLinesAreSkippedAndTheNextAppendStartsCleanly)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    EXPECT_TRUE(file.read().events.isEmpty());
    const QString list = QStringLiteral("/w.txt");
    ASSERT_TRUE(file.append(testEvent(1, list, 50)));
    QByteArray bytes = readBytes(file.path());
    const QByteArray good = historyLine(saveEvent(2, list, 7));
    bytes += "2026-11-0x,test,garbage\n"; // damaged
    bytes += good + "\n";
    bytes += good.left(good.size() / 2); // torn
    writeBytes(file.path(), bytes);
    HistoryRead read = file.read();
    EXPECT_EQ(read.damaged, 1);
    ASSERT_EQ(read.events.size(), 2);
    EXPECT_EQ(read.events[1], saveEvent(2, list, 7));

    for (int round = 0; round < 2; ++round)
        ASSERT_TRUE(file.append(studyEvent(3 + round, list, 5)));
    read = file.read();
    EXPECT_EQ(read.damaged, 2); // the torn piece is a damaged line now, and nothing else is
    ASSERT_EQ(read.events.size(), 4);
    EXPECT_EQ(read.events[3], studyEvent(4, list, 5));

    // Values no session could have given are damaged lines too, not points far off a chart.
    const QByteArray study = historyLine(studyEvent(5, list, 5));
    const QByteArray test = historyLine(testEvent(5, list, 50));
    const QByteArray impossible[] = {
        QByteArray(study).replace(",5.00,", ",nan,"),
        QByteArray(study).replace(",5.00,", ",inf,"),
        QByteArray(study).replace(",5.00,", ",1e308,"),
        QByteArray(test).replace(",50,", ",999999999,"),
        QByteArray(test).replace(",50,", ",101,"),
        QByteArray(test).replace("2026-", "0001-"),
        QByteArray(test).replace("2026-", "2099-"),
    };
    for (const QByteArray& line : impossible) {
        ASSERT_NE(line, study);
        ASSERT_NE(line, test);
        EXPECT_EQ(HistoryFile::parse(historyHeader() + "\n" + line + "\n").damaged, 1)
            << line.toStdString();
    }
    EXPECT_EQ(HistoryFile::parse(historyHeader() + "\n" + study + "\n" + test + "\n").damaged, 0);
    // A history that went through a Windows editor has CR LF line ends: none is damaged.
    const HistoryRead crlf
        = HistoryFile::parse(historyHeader() + "\r\n" + study + "\r\n" + test + "\r\n");
    EXPECT_EQ(crlf.damaged, 0);
    EXPECT_EQ(crlf.events.size(), 2);
}

// A full disk half-way through an append leaves no fragment to become a damaged line once
// space comes back; the notice says what happened in words.
TEST(HistoryFile, AnAppendCutShortIsTakenBack)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    ASSERT_TRUE(file.append(testEvent(1, "/w.txt", 50)));
    const QByteArray before = readBytes(file.path());
    failWriteAfter(0);
    EXPECT_FALSE(file.append(testEvent(2, "/w.txt", 60)));
    failWriteAfter(-1);
    EXPECT_EQ(readBytes(file.path()), before);
    EXPECT_TRUE(file.notice().contains(QStringLiteral("ディスクの空き")))
        << file.notice().toStdString();
}

// Two programs appending at once both keep every line.
TEST(HistoryFile, TwoWritersAtOnceKeepEveryLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keruna-history.csv");
    constexpr int kEach = 400;
    auto writer = [&](const QString& list) {
        HistoryFile file(path);
        for (int i = 0; i < kEach; ++i)
            file.append(testEvent(1 + i % 28, list, i % 101));
    };
    std::thread a(writer, QStringLiteral("/a.txt"));
    std::thread b(writer, QStringLiteral("/b.txt"));
    a.join();
    b.join();
    const HistoryRead read = HistoryFile(path).read();
    EXPECT_EQ(read.damaged, 0);
    EXPECT_EQ(read.events.size(), 2 * kEach);
    EXPECT_EQ(std::count_if(read.events.begin(), read.events.end(),
                  [](const HistoryEvent& e) { return e.list == QLatin1String("/a.txt"); }),
        kEach);
}

// A folder that cannot be written to turns the history off for the session, quietly and
// with a notice; nothing is thrown.
TEST(HistoryFile, AHistoryThatCannotBeWrittenIsOffWithANotice)
{
    SmallDisk disk(64);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.whyNot().toStdString();
    ASSERT_TRUE(disk.makeReadOnly());
    HistoryFile file(disk.path("keruna-history.csv"));
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(file.append(testEvent(1, "/w.txt", 10)));
        EXPECT_TRUE(file.isOff());
        EXPECT_TRUE(file.notice().contains(QStringLiteral("記録していません")))
            << file.notice().toStdString();
    }
}

// The table shows the open list's events newest first, or every list's; a renamed list's
// old events stay under its old path. The charts draw the same events: the memorized
// count from saves, each test's rate by kind on 0–100 %, minutes summed by day.
TEST(HistoryWindow, ShowsTheOpenListOrEveryListInTableAndCharts)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    const QString a = QStringLiteral("/lists/a.txt");
    const QString b = QStringLiteral("/lists/b.txt");
    for (const HistoryEvent& e :
        {saveEvent(1, a, 10), testEvent(2, a, 80), testEvent(2, a, 60, "manual"),
            studyEvent(3, a, 10), studyEvent(3, a, 5.5), testEvent(4, b, 30), saveEvent(5, a, 25)})
        ASSERT_TRUE(file.append(e));
    FakePlatform platform;
    HistoryWindow window(file, platform);
    window.refresh();
    window.setList(a);
    const HistoryModel& model = window.model();
    ASSERT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.index(0, HistoryModel::When).data().toString(), "2026/11/05 21:00");
    EXPECT_EQ(
        model.index(0, HistoryModel::Summary).data().toString(), QStringLiteral("未75 覚25 (要3)"));
    EXPECT_EQ(model.index(5, HistoryModel::Kind).data().toString(), QStringLiteral("保存"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("学習履歴 - a.txt"));

    const HistoryChartData data = historyChartData(model);
    ASSERT_EQ(data.memorized.points.size(), 2);
    EXPECT_EQ(data.memorized.points[1].y(), 25);
    EXPECT_EQ(data.rates[0].points.size(), 1); // automatic
    EXPECT_EQ(data.rates[0].points[0].y(), 80);
    EXPECT_EQ(data.rates[1].points.size(), 1); // manual
    ASSERT_EQ(data.minutesPerDay.points.size(), 1);
    EXPECT_DOUBLE_EQ(data.minutesPerDay.points[0].y(), 15.5);
    EXPECT_LT(data.memorized.points[0].x(), data.rates[0].points[0].x());
    EXPECT_TRUE(data.rates[0].tipAt(0).startsWith(QStringLiteral("2026/11/02 09:30")));
    EXPECT_TRUE(data.minutesPerDay.tipAt(0).contains(QStringLiteral("15.5分")));

    // The chart's own objects: the series hold those points, the rate axis is 0-100 %.
    const auto* view = window.findChild<QChartView*>(QStringLiteral("rirekiChart"));
    ASSERT_NE(view, nullptr);
    QChart* chart = view->chart();
    const auto* rateAxis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(0));
    ASSERT_NE(rateAxis, nullptr);
    EXPECT_EQ(rateAxis->min(), 0);
    EXPECT_EQ(rateAxis->max(), 100);
    const auto* automatic = qobject_cast<QXYSeries*>(chart->series().at(1));
    ASSERT_NE(automatic, nullptr);
    // (A lone point is drawn with a twin a millisecond later.)
    EXPECT_EQ(automatic->points().first(data.rates[0].points.size()), data.rates[0].points);
    const auto* time = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).at(0));
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->format(), "yyyy/MM/dd");
    EXPECT_LE(time->min().date(), QDate(2026, 11, 1));
    EXPECT_GE(time->max().date(), QDate(2026, 11, 5));
    // Ticks on whole days; study minutes as bars.
    const qint64 interval = (time->max().toMSecsSinceEpoch() - time->min().toMSecsSinceEpoch())
        / (time->tickCount() - 1);
    for (int k = 0; k < time->tickCount(); ++k)
        EXPECT_EQ(
            QDateTime::fromMSecsSinceEpoch(time->min().toMSecsSinceEpoch() + k * interval).time(),
            QTime(0, 0));
    const auto* minutes = window.findChild<QChartView*>(QStringLiteral("rirekiMinutes"));
    ASSERT_NE(minutes, nullptr);
    EXPECT_NE(qobject_cast<QAreaSeries*>(minutes->chart()->series().value(0)), nullptr);

    window.findChild<QCheckBox*>("rirekiAll")->setChecked(true);
    EXPECT_EQ(model.rowCount(), 7);
    EXPECT_EQ(model.index(1, HistoryModel::List).data().toString(), "b.txt");
    // Renamed: the new name has no history yet; the old one keeps its events.
    window.findChild<QCheckBox*>("rirekiAll")->setChecked(false);
    window.setList(QStringLiteral("/lists/a-renamed.txt"));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(window.findChild<QLabel*>("rirekiNotice")->isHidden());
    window.setList(a);
    EXPECT_EQ(model.rowCount(), 6);
}

// Every span gets an axis from and to whole hours or days with ticks on whole ones, at
// most eight intervals.
TEST(HistoryChart, TheTimeAxisTicksOnWholeHoursOrDays)
{
    const auto at = [](int day, int hour, int minute) {
        return QDateTime(QDate(2026, 11, day), QTime(hour, minute)).toMSecsSinceEpoch();
    };
    const std::pair<qint64, qint64> spans[] = {{at(2, 0, 46), at(2, 0, 46)},
        {at(2, 0, 46), at(3, 16, 15)}, {at(2, 0, 46), at(9, 16, 15)}, {at(1, 8, 0), at(30, 9, 0)},
        {at(1, 8, 0), QDateTime(QDate(2028, 2, 1), QTime(9, 0)).toMSecsSinceEpoch()}};
    for (const auto& [first, last] : spans) {
        const HistoryChartData::TimeAxis axis = historyTimeAxis(first, last);
        SCOPED_TRACE(QDateTime::fromMSecsSinceEpoch(last).toString().toStdString());
        EXPECT_LE(axis.from, first);
        EXPECT_GE(axis.to, last);
        ASSERT_GE(axis.ticks, 2);
        EXPECT_LE(axis.ticks, 9);
        const qint64 interval = (axis.to - axis.from) / (axis.ticks - 1);
        const bool days = axis.format == QLatin1String("yyyy/MM/dd");
        for (int k = 0; k < axis.ticks; ++k) {
            const QTime tick = QDateTime::fromMSecsSinceEpoch(axis.from + k * interval).time();
            EXPECT_EQ(tick.minute(), 0);
            if (days) {
                EXPECT_EQ(tick.hour(), 0);
            }
        }
    }
}

// The table says what the learner saw: the number test with no range and never heard,
// a GET test with the range's items and how many were shown.
TEST(HistoryEvent, SummariesSayWhatTheLearnerSaw)
{
    HistoryEvent number = testEvent(1, "/w.txt", 60, "number");
    number.listening = true;
    number.typed = false;
    number.items = 0;
    number.answered = 5;
    number.correct = 3;
    number.wrong = 2;
    EXPECT_EQ(historySummary(number), QStringLiteral("数字 5問　正解3 不正解2　正解率60％"));
    HistoryEvent get = testEvent(1, "/w.txt", 22, "get");
    get.typed = false;
    get.items = 18;
    get.answered = 10;
    get.correct = 4;
    get.wrong = 14;
    EXPECT_EQ(historySummary(get),
        QStringLiteral("GET 【未】18問（10問表示）　正解4 不正解14　正解率22％"));
}

// A long history is read in the background, the window saying so meanwhile; a list chosen
// in the meantime is the one shown. Its charts draw each slice of time by its lowest and
// highest point, each still the point of its own event.
TEST(HistoryWindow, ALongHistoryIsReadInTheBackgroundAndDrawnByItsExtremes)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    const QString a = QStringLiteral("/lists/a.txt");
    QByteArray bytes = historyHeader() + '\n';
    int events = 0;
    for (int i = 0; i < 6000; ++i, ++events) {
        HistoryEvent e = saveEvent(1 + i / 300, i % 2 ? a : QStringLiteral("/lists/b.txt"),
            i == 4001 ? 5000 : (i * 37) % 90 + 5);
        e.notYet = 0; // (a count below 0 is no count)
        // Out of time order within each day, as after a clock was set back.
        e.time = QTime(0, 0).addSecs(i * 7919 % 300 * 60);
        bytes += historyLine(e) + '\n';
    }
    writeBytes(file.path(), bytes);
    ASSERT_GT(bytes.size(), 256 * 1024);
    FakePlatform platform;
    HistoryWindow window(file, platform);
    window.setList(a, false);
    window.refresh();
    ASSERT_TRUE(window.reading());
    EXPECT_TRUE(window.findChild<QLabel*>("rirekiNotice")
                    ->text()
                    .contains(QStringLiteral("読み込んでいます")));
    window.findChild<QCheckBox*>("rirekiAll")->setChecked(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading(); }));
    EXPECT_EQ(window.model().rowCount(), events);
    EXPECT_FALSE(window.findChild<QLabel*>("rirekiNotice")->isVisible());

    const HistoryChartData data = historyChartData(window.model());
    const HistoryPoints& saves = data.memorized;
    EXPECT_LE(saves.points.size(), 300);
    double highest = 0;
    double lowest = 1e9;
    for (int i = 0; i < saves.points.size(); ++i) {
        EXPECT_EQ(saves.points[i].y(), saves.events[i]->memorized);
        if (i > 0) { // drawn as a line, in time order
            EXPECT_LE(saves.points[i - 1].x(), saves.points[i].x()) << i;
        }
        highest = std::max(highest, saves.points[i].y());
        lowest = std::min(lowest, saves.points[i].y());
    }
    EXPECT_EQ(highest, 5000);
    EXPECT_EQ(lowest, 5);
}

// Export writes what is shown as CSV a spreadsheet reads; clearing asks first, No being
// the default, and keeps the header.
TEST(HistoryWindow, ExportsWhatIsShownAndClearsOnlyWhenTheUserSaysYes)
{
    QTemporaryDir dir;
    HistoryFile file(dir.filePath("keruna-history.csv"));
    const QString a = QStringLiteral("/lists/a.txt");
    ASSERT_TRUE(file.append(testEvent(2, a, 80)));
    ASSERT_TRUE(file.append(saveEvent(3, QStringLiteral("/lists/b.txt"), 4)));
    FakePlatform platform;
    HistoryWindow window(file, platform);
    window.refresh();
    window.setList(a);
    const QString csv = dir.filePath("out.csv");
    platform.saveAnswers.push_back(csv);
    window.findChild<QPushButton*>("rirekiExport")->click();
    EXPECT_EQ(readBytes(csv),
        "\xEF\xBB\xBF" + historyHeader() + "\r\n" + historyLine(testEvent(2, a, 80)) + "\r\n");
    // A cell a spreadsheet would run as a formula is written as text.
    for (const char* name : {"=1+1", "+1", "-1", "@SUM(A1)"}) {
        ASSERT_FALSE(HistoryFile::exportCsv(csv, {testEvent(2, QString::fromLatin1(name), 80)}));
        EXPECT_TRUE(readBytes(csv).contains(",'" + QByteArray(name))) << name;
    }

    const QByteArray before = readBytes(file.path());
    window.findChild<QPushButton*>("rirekiClear")->click(); // No, the default
    EXPECT_EQ(platform.messages.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(readBytes(file.path()), before);
    platform.messageAnswers.push_back(MessageResult::Yes);
    window.findChild<QPushButton*>("rirekiClear")->click();
    EXPECT_EQ(readBytes(file.path()), historyHeader() + "\n");
    EXPECT_EQ(window.model().rowCount(), 0);
}

// The charts come from a module loaded when first needed. A folder without it, or with a
// file of its name that is no such module, is passed over for the next; where none loads,
// the window shows why in place of the charts.
TEST(HistoryChartModule, IsFoundInTheFirstFolderWhereItLoadsAndElseExplained)
{
    QTemporaryDir folder;
    const QString built = QStringLiteral(KERUNA_BUILD_DIR);
    const HistoryChartModule none = loadHistoryChartModule({QString(), folder.path()});
    EXPECT_EQ(none.make, nullptr);
    EXPECT_TRUE(none.error.endsWith(u'（' + folder.path() + u'）')) << none.error.toStdString();

    QFile bogus(folder.filePath(QString::fromLatin1(kHistoryChartModule)));
    ASSERT_TRUE(bogus.open(QIODevice::WriteOnly));
    bogus.write("not a library");
    bogus.close();
    const HistoryChartModule broken = loadHistoryChartModule({folder.path()});
    EXPECT_EQ(broken.make, nullptr);
    EXPECT_TRUE(broken.error.contains(bogus.fileName())) << broken.error.toStdString();

    const HistoryChartModule found = loadHistoryChartModule({folder.path(), built});
    ASSERT_NE(found.make, nullptr);
    QWidget parent;
    makeHistoryChart(&parent, found);
    EXPECT_NE(parent.findChild<QChartView*>(QStringLiteral("rirekiChart")), nullptr);

    QWidget without;
    makeHistoryChart(&without, broken);
    const auto* notice = without.findChild<QLabel*>(QStringLiteral("rirekiChartMissing"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains(broken.error));
    EXPECT_EQ(without.findChild<QChartView*>(), nullptr);
}
