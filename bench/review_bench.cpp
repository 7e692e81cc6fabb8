// The review log: scheduling a 20,000-item list from a log of 1,000,000 lines over 50
// lists (BM_ReviewSchedule) against reading and splitting the same file
// (BM_ReviewReadAndSplit); loading the list and marking its due items from that log
// (BM_ReviewLoadWithLog) against loading it alone (BM_ReviewLoadAlone); and one test's end
// appending 100 judgements (BM_ReviewAppend100).
#include "problemdata/problemloader.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace keruna;

namespace {

QTemporaryDir& reviewDir()
{
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/keruna-bench-XXXXXX"));
    return dir;
}

constexpr int kItems = 20000;
constexpr int kLines = 1000000;
constexpr int kLists = 50;

QString listPath(int i)
{
    return reviewDir().filePath(QStringLiteral("list%1.txt").arg(i));
}

QString itemText(int i)
{
    return QStringLiteral("word%1,意味%1").arg(i);
}

// The 20,000-item list, every item memorized.
QString wordList()
{
    const QString path = listPath(0);
    if (QFile::exists(path))
        return path;
    QByteArray bytes;
    for (int i = 0; i < kItems; ++i)
        bytes += itemText(i).toUtf8() + ",,\xE2\x97\x8B\r\n"; // ,,○
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// A million judgements over a year, spread over 50 lists of 20,000 items each.
QString reviewLog()
{
    const QString path = reviewDir().filePath(QStringLiteral("keruna-reviews.csv"));
    if (QFile::exists(path))
        return path;
    QByteArray bytes = reviewHeader() + '\n';
    for (int i = 0; i < kLines; ++i) {
        ReviewRecord r;
        r.date = QDate(2026, 1, 1).addDays(i * 365 / kLines);
        r.time = QTime(8, 0).addSecs((i * 37) % 36000);
        r.list = listPath(i % kLists);
        r.item = itemText((i / kLists) % kItems);
        r.right = i % 4 != 0;
        r.test = QStringLiteral("manual");
        bytes += reviewLine(r) + '\n';
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void BM_ReviewReadAndSplit(benchmark::State& state)
{
    const QString path = reviewLog();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_ReviewReadAndSplit)->Unit(benchmark::kMillisecond);

void BM_ReviewSchedule(benchmark::State& state)
{
    ReviewLog log(reviewLog());
    const QString list = listPath(0);
    for (auto _ : state) {
        const QHash<QString, FsrsState> states = scheduleReviews(log.read(list).records);
        benchmark::DoNotOptimize(states.size());
    }
}
BENCHMARK(BM_ReviewSchedule)->Unit(benchmark::kMillisecond);

void BM_ReviewLoadAlone(benchmark::State& state)
{
    const QString path = wordList();
    for (auto _ : state) {
        ProblemSet set;
        LoadProblemFile(set, path);
        benchmark::DoNotOptimize(set.totalCount);
    }
}
BENCHMARK(BM_ReviewLoadAlone)->Unit(benchmark::kMillisecond);

// What a load does on the user-interface thread once the list has been scheduled (its
// first load reads the log in the background): the list, what the log gained since (here
// nothing), and its due items.
void BM_ReviewLoadWithLog(benchmark::State& state)
{
    const QString path = wordList();
    ReviewLog log(reviewLog());
    qint64 end = 0;
    QHash<QString, FsrsState> states = scheduleReviews(log.readFrom(0, path, &end).records);
    QHash<QString, qint64> days;
    for (auto it = states.cbegin(); it != states.cend(); ++it)
        days.insert(it.key(), fsrsDueDay(*it));
    const int64_t today = reviewDay(QDate(2026, 12, 31));
    // The marks of the first load, as the program keeps them.
    ProblemSet first;
    LoadProblemFile(first, path);
    first.reviewDays = days;
    first.markDue([&](const QString& item) {
        const auto it = first.reviewDays.constFind(item);
        return it != first.reviewDays.constEnd() && *it <= today;
    });
    for (auto _ : state) {
        ProblemSet set;
        LoadProblemFile(set, path);
        qint64 now = end;
        const QList<ReviewRecord> gained = log.readFrom(end, path, &now).records;
        addReviews(states, gained);
        set.reviewDays = days;
        if (gained.isEmpty() && set.allList == first.allList) {
            set.dueList = first.dueList;
            set.dueLines = first.dueLines;
        }
        benchmark::DoNotOptimize(set.dueList.size());
    }
}
BENCHMARK(BM_ReviewLoadWithLog)->Unit(benchmark::kMillisecond);

void BM_ReviewAppend100(benchmark::State& state)
{
    ReviewLog log(reviewDir().filePath(QStringLiteral("append.csv")));
    QList<ReviewRecord> records;
    for (int i = 0; i < 100; ++i)
        records.append({QDate(2026, 12, 8), QTime(9, 0), listPath(0), itemText(i), i % 3 != 0,
            QStringLiteral("automatic")});
    for (auto _ : state)
        benchmark::DoNotOptimize(log.append(records));
}
BENCHMARK(BM_ReviewAppend100)->Unit(benchmark::kMicrosecond);

} // namespace
