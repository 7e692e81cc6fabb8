// Benchmarks. Compare each figure with the baseline measured in the same run:
//   BM_ReadAndDecode  vs BM_OpenAndLoad      (loading a word list)
//   BM_StartBareWindow(WithText) vs BM_StartKeruna (start-up to the first paint, offscreen)
// Run: build/bench/keruna_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include "common/textfile.h"
#include "problemdata/problemloader.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace keruna;

namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A Shift-JIS word list of n items with every kind of mark and some blank lines.
QString wordList(int n)
{
    static std::map<int, QString> made;
    if (auto it = made.find(n); it != made.end())
        return it->second;
    const QString path = workDir().filePath(QStringLiteral("list%1.txt").arg(n));
    static const QString marks[]
        = {QString(), QStringLiteral(",,○"), QStringLiteral(",赤○"), QStringLiteral(",赤×")};
    QString text;
    for (int i = 1; i <= n; ++i) {
        text
            += QStringLiteral("word%1,意味%1、訳語%1、用例の説明%1").arg(i) + marks[i % 4] + "\r\n";
        if (i % 50 == 0 && i < n)
            text += "\r\n";
    }
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QStringEncoder("windows-31j").encode(text));
    made[n] = path;
    return path;
}

void BM_ReadAndDecode(benchmark::State& state)
{
    const QString path = wordList(int(state.range(0)));
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QStringDecoder decoder("windows-31j");
        QString text = decoder.decode(f.readAll());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ReadAndDecode)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_OpenAndLoad(benchmark::State& state)
{
    const QString path = wordList(int(state.range(0)));
    for (auto _ : state) {
        Result<ProblemSet> loaded = CheckProblemFile(path);
        if (!loaded) {
            state.SkipWithError("check failed");
            break;
        }
        benchmark::DoNotOptimize(loaded.value().totalCount);
    }
}
BENCHMARK(BM_OpenAndLoad)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Wall time from starting the process until its window was first painted.
void runUntilFirstPaint(
    benchmark::State& state, const QString& program, const QStringList& arguments = {})
{
    const QString folder = workDir().filePath(QStringLiteral("program"));
    QDir().mkpath(folder);
    InitSettings(SettingsStore::settingsPath(folder));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KERUNA_PROGRAM_FOLDER", folder);
    env.insert("KERUNA_CLOSE_AFTER_FIRST_PAINT", "1");
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        p.start(program, arguments);
        // Timed until the window reports its first paint; closing is not part of it.
        QByteArray out;
        while (!out.contains("first-paint") && p.waitForReadyRead(30000))
            out += p.readAllStandardOutput();
        const qint64 elapsed = timer.nsecsElapsed();
        if (!out.contains("first-paint") || !p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("program did not report its first paint and close");
            break;
        }
        state.SetIterationTime(elapsed / 1e9);
    }
}

void BM_StartBareWindow(benchmark::State& state)
{
    runUntilFirstPaint(state, QString::fromUtf8(KERUNA_BARE_WINDOW));
}
BENCHMARK(BM_StartBareWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// The same window with a menu bar and a Japanese label: the font system loaded.
void BM_StartBareWindowWithText(benchmark::State& state)
{
    runUntilFirstPaint(state, QString::fromUtf8(KERUNA_BARE_WINDOW), {QStringLiteral("--text")});
}
BENCHMARK(BM_StartBareWindowWithText)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

void BM_StartKeruna(benchmark::State& state)
{
    runUntilFirstPaint(state, QString::fromUtf8(KERUNA_BINARY));
}
BENCHMARK(BM_StartKeruna)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
