// The learning history: opening its window over a long history against reading and
// splitting the same file (BM_HistoryReadAndSplit vs BM_HistoryOpenWindow), and one append
// on the disk the program's folder is on (BM_HistoryAppend).
#include "history/historyfile.h"
#include "history/historywindow.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace keruna;

namespace {

// On the disk of the build, not in a memory file system.
QTemporaryDir& historyDir()
{
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/keruna-bench-XXXXXX"));
    return dir;
}

QString listPath(int i)
{
    return QStringLiteral("/home/learner/単語/list%1.txt").arg(i);
}

// n events over ten lists and a year, in the proportions a learner makes them.
QString historyOf(int n)
{
    const QString path = historyDir().filePath(QStringLiteral("history-%1.csv").arg(n));
    if (QFile::exists(path))
        return path;
    QByteArray bytes = historyHeader() + '\n';
    for (int i = 0; i < n; ++i) {
        HistoryEvent e;
        e.date = QDate(2026, 1, 1).addDays(i * 365 / n);
        e.time = QTime(8, 0).addSecs((i * 37) % 36000);
        e.list = listPath(i % 10);
        switch (i % 3) {
        case 0:
            e.kind = HistoryKind::Test;
            e.testKind = QStringLiteral("automatic");
            e.range = QStringLiteral("【未】");
            e.items = 100;
            e.answered = 50;
            e.correct = i % 51;
            e.wrong = 50 - e.correct;
            e.rate = e.correct * 2;
            break;
        case 1:
            e.kind = HistoryKind::Save;
            e.memorized = i % 1000;
            e.notYet = 1000 - e.memorized;
            break;
        default:
            e.kind = HistoryKind::Study;
            e.minutes = 12.5;
            e.shown = 200;
        }
        bytes += historyLine(e) + '\n';
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// What any reader of the file does: read it, decode it, split it into lines.
void BM_HistoryReadAndSplit(benchmark::State& state)
{
    const QString path = historyOf(int(state.range(0)));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_HistoryReadAndSplit)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Read, parse, the table and the charts of one list (a tenth of the events), shown, until
// the window holds the whole history; longest_block_ms is the longest the user-interface
// thread went without answering meanwhile (a long history is read in the background).
// 1,480,000 events make a file of about 100 MB.
void BM_HistoryOpenWindow(benchmark::State& state)
{
    HistoryFile file(historyOf(int(state.range(0))));
    QtPlatform platform(historyDir().path());
    qint64 longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        const auto answered = [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        };
        HistoryWindow window(file, platform);
        window.setList(listPath(3), false);
        window.refresh();
        answered();
        window.show();
        QApplication::processEvents();
        answered();
        while (window.reading()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            answered();
        }
        QApplication::processEvents();
        answered();
    }
    state.counters["longest_block_ms"] = double(longest);
}
BENCHMARK(BM_HistoryOpenWindow)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(100000)
    ->Arg(1480000)
    ->Unit(benchmark::kMillisecond);

void BM_HistoryAppend(benchmark::State& state)
{
    HistoryFile file(historyDir().filePath(QStringLiteral("append.csv")));
    HistoryEvent e;
    e.date = QDate(2026, 12, 7);
    e.time = QTime(17, 30);
    e.list = listPath(0);
    e.testKind = QStringLiteral("manual");
    e.range = QStringLiteral("【全】");
    for (auto _ : state)
        benchmark::DoNotOptimize(file.append(e));
}
BENCHMARK(BM_HistoryAppend)->Unit(benchmark::kMicrosecond);

} // namespace
