// Benchmarks. Compare each figure with the baseline measured in the same run:
//   BM_ReadAndDecode  vs BM_OpenAndLoad, BM_LoadUncapped (loading a word list; the latter
//                                             past the format's 20,000 lines)
//   BM_StartBareWindow(WithText) vs BM_StartKeruna (start-up to the first paint, offscreen);
//   BM_StartKerunaInTurnsWithBareWindow gives their ratio from launches in turns
//   BM_EncodeAndWrite vs BM_SaveInPlace, BM_SaveEveryLineEncoded (writing marks back into
//                                             a word list; all three write through the same
//                                             QSaveFile commit and fsync)
//   BM_BareTreeViewsFill vs BM_FillDbListsShown, BM_PlainCaseInsensitiveLoop vs
//   BM_FindNextNoHit                          (the database lists)
//   BM_FillDbListsShown vs BM_FillResultListsShown (a test's results in the same screen)
// Run: build/bench/keruna_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include "app/form1.h"
#include "common/clock.h"
#include "common/random.h"
#include "common/textfile.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "database/dbsearch.h"
#include "database/resultlists.h"
#include "getlist/getlist.h"
#include "problemdata/problemcontroller.h"
#include "problemdata/problemloader.h"
#include "problemdata/problemrecord.h"
#include "problemdata/problemwriter.h"
#include "problemdata/saveprogress.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "speech/speechoutput.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

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

// The loader's own steps without the format's cap of 20,000 lines, so that growth past it
// can be measured: read and decode, then each non-blank line filed.
ProblemSet loadUncapped(const QString& path)
{
    ProblemSet set;
    set.path = path;
    const Result<DecodedText> decoded = readText(path);
    set.encoding = decoded.value().encoding;
    forEachLine(decoded.value().text, [&](QStringView line) {
        if (!line.isEmpty())
            set.addLine(line);
    });
    const QFileInfo info(path);
    set.loadedSize = info.size();
    set.loadedModified = info.lastModified();
    return set;
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
BENCHMARK(BM_ReadAndDecode)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

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

void BM_LoadUncapped(benchmark::State& state)
{
    const QString path = wordList(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(loadUncapped(path).totalCount);
}
BENCHMARK(BM_LoadUncapped)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The floor for saving: the same lines encoded and written through QSaveFile.
void BM_EncodeAndWrite(benchmark::State& state)
{
    const QString source = wordList(int(state.range(0)));
    const QStringList lines = loadUncapped(source).rawLines();
    const QString target = workDir().filePath(QStringLiteral("floor.txt"));
    for (auto _ : state) {
        Result<QByteArray> bytes = encodeTextLines(lines, TextEncoding::Cp932);
        benchmark::DoNotOptimize(writeFileBytes(target, bytes.value()));
    }
}
BENCHMARK(BM_EncodeAndWrite)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A list save of every record: the mark table from both lists, the rules, the write with
// every unchanged line's bytes kept.
void BM_SaveInPlace(benchmark::State& state)
{
    const int n = int(state.range(0));
    const QString path = workDir().filePath(QStringLiteral("save%1.txt").arg(n));
    QFile::remove(path);
    QFile::copy(wordList(n), path);
    ProblemSet set = loadUncapped(path);
    QList<ListEntry> memorized;
    QList<ListEntry> notYet;
    // As the database lists hold them: each entry knows its line.
    for (int i = 0; i < int(set.allList.size()); ++i) {
        const QString& record = set.allList.at(i);
        (isMemorizedRecord(record) ? memorized : notYet)
            .append({itemTextOf(record), isRedRecord(record), false, i});
    }
    SaveRequest request;
    request.ListSave = true;
    const QStringList lines = set.rawLines();
    for (auto _ : state) {
        const MarkTable table = MarkTable::fromDbLists(memorized, notYet);
        benchmark::DoNotOptimize(
            writeProblemLines(path, set, linesForSaveInPlace(lines, request, table)));
        // A save is followed by a load, which the next save starts from.
        state.PauseTiming();
        set = loadUncapped(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveInPlace)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A save whose lines cannot take their bytes from the file (a new list, a save-as to
// another encoding, an overwrite after the file changed): every line encoded.
void BM_SaveEveryLineEncoded(benchmark::State& state)
{
    const int n = int(state.range(0));
    const ProblemSet set = loadUncapped(wordList(n));
    const QStringList lines = set.rawLines();
    const QString target = workDir().filePath(QStringLiteral("new%1.txt").arg(n));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeNewList(target, set, lines));
}
BENCHMARK(BM_SaveEveryLineEncoded)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

// The environment a started program runs in: its own settings folder, closing itself once
// its window was first painted.
QProcessEnvironment startEnvironment()
{
    const QString folder = workDir().filePath(QStringLiteral("program"));
    QDir().mkpath(folder);
    InitSettings(SettingsStore::settingsPath(folder));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Offscreen unless the run names another platform: under a window manager, start-up
    // includes mapping the window as a desktop does it.
    env.insert("QT_QPA_PLATFORM", qEnvironmentVariable("KERUNA_BENCH_PLATFORM", "offscreen"));
    env.insert("KERUNA_PROGRAM_FOLDER", folder);
    env.insert("KERUNA_CLOSE_AFTER_FIRST_PAINT", "1");
    return env;
}

// Wall time in nanoseconds from starting the process until its window was first painted;
// nothing if it did not report its first paint and close.
std::optional<qint64> timeToFirstPaint(
    const QProcessEnvironment& env, const QString& program, const QStringList& arguments = {})
{
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
    if (!out.contains("first-paint") || !p.waitForFinished(30000) || p.exitCode() != 0)
        return std::nullopt;
    return elapsed;
}

void runUntilFirstPaint(
    benchmark::State& state, const QString& program, const QStringList& arguments = {})
{
    const QProcessEnvironment env = startEnvironment();
    for (auto _ : state) {
        const std::optional<qint64> elapsed = timeToFirstPaint(env, program, arguments);
        if (!elapsed) {
            state.SkipWithError("program did not report its first paint and close");
            break;
        }
        state.SetIterationTime(*elapsed / 1e9);
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

// The two above in turns, so that both see the machine in the same state: run one after
// the other, their ratio drifts with whatever else the machine does. The time is ケルナ's;
// the counter "ratio" is its total over the bare window's in the same repetition.
void BM_StartKerunaInTurnsWithBareWindow(benchmark::State& state)
{
    const QProcessEnvironment env = startEnvironment();
    double keruna = 0;
    double bare = 0;
    for (auto _ : state) {
        const std::optional<qint64> b = timeToFirstPaint(
            env, QString::fromUtf8(KERUNA_BARE_WINDOW), {QStringLiteral("--text")});
        const std::optional<qint64> k = timeToFirstPaint(env, QString::fromUtf8(KERUNA_BINARY));
        if (!b || !k) {
            state.SkipWithError("program did not report its first paint and close");
            break;
        }
        bare += double(*b);
        keruna += double(*k);
        state.SetIterationTime(*k / 1e9);
    }
    if (bare > 0)
        state.counters["ratio"] = keruna / bare;
}
BENCHMARK(BM_StartKerunaInTurnsWithBareWindow)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// Appending n items to the GET list, each checked against the list first.
void BM_GetListAppend(benchmark::State& state)
{
    const int n = int(state.range(0));
    QStringList keys;
    for (int i = 0; i < n; ++i)
        keys.append(QStringLiteral("word%1,意味%1").arg(i));
    for (auto _ : state) {
        QTreeView view;
        QLabel count;
        GetList list(view, count);
        for (const QString& key : keys)
            list.append(key, QStringLiteral(","), false);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_GetListAppend)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The GET list of a shown main screen: filled with n entries (and drawn), against moving
// those n entries out to the external screen and back in (and drawn).
class ShownGetList {
public:
    explicit ShownGetList(int n)
        : m_settings((InitSettings(SettingsStore::settingsPath(m_folder.path())), true))
        , m_form(AppContext {m_platform, m_clock, m_timers, m_random, m_speech})
    {
        for (int i = 0; i < n; ++i)
            m_keys.append(QStringLiteral("word%1,意味%1").arg(i));
        m_form.show();
        m_form.MoveGetListIn();
        QCoreApplication::processEvents();
    }
    void fill()
    {
        m_form.getList().clear();
        for (const QString& key : m_keys)
            m_form.getList().append(key, QStringLiteral(","), false);
        QCoreApplication::processEvents();
    }
    void moveOutAndIn()
    {
        m_form.MoveGetListOut();
        QCoreApplication::processEvents();
        m_form.MoveGetListIn();
        QCoreApplication::processEvents();
    }

private:
    QTemporaryDir m_folder;
    bool m_settings; // written before the screen starts, so that no repair is offered
    QtPlatform m_platform {m_folder.path()};
    SystemClock m_clock;
    QtTimerFactory m_timers;
    StdRandomSource m_random;
    SilentSpeech m_speech;
    QStringList m_keys;
    Form1 m_form;
};

void BM_GetListFillShown(benchmark::State& state)
{
    ShownGetList list(int(state.range(0)));
    for (auto _ : state)
        list.fill();
}
BENCHMARK(BM_GetListFillShown)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_GetListMoveOutAndIn(benchmark::State& state)
{
    ShownGetList list(int(state.range(0)));
    list.fill();
    for (auto _ : state)
        list.moveOutAndIn();
}
BENCHMARK(BM_GetListMoveOutAndIn)->Arg(20000)->Unit(benchmark::kMillisecond);

// The database lists: FillDbLists into the screen's two shown lists, against a bare
// QTreeView pair over a minimal two-column model with the same rows; moving 1000 checked
// entries in 20000; the search walk over 20000 + 20000 entries without a hit, against a
// plain loop comparing the same strings without regard to case.
class BareTwoColumns : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const auto& row = rows[size_t(index.row())];
        return index.column() == 0 ? row.first : row.second;
    }
    void setRows(std::vector<std::pair<QString, QString>> r)
    {
        beginResetModel();
        rows = std::move(r);
        endResetModel();
    }
    std::vector<std::pair<QString, QString>> rows;
};

ProblemSet dbBenchSet(int n)
{
    ProblemSet set;
    for (int i = 0; i < n; ++i)
        set.addLine(
            QStringLiteral("word%1,意味%1").arg(i) + (i % 2 ? QStringLiteral(",,○") : QString()));
    return set;
}

void BM_BareTreeViewsFill(benchmark::State& state)
{
    const ProblemSet set = dbBenchSet(int(state.range(0)));
    BareTwoColumns models[2];
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    for (BareTwoColumns& m : models) {
        auto* view = new QTreeView;
        view->setUniformRowHeights(true);
        view->setModel(&m);
        layout->addWidget(view);
    }
    window.resize(760, 480);
    window.show();
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            std::vector<std::pair<QString, QString>> rows;
            for (const QString& record : k == 0 ? set.memorizedList : set.notYetList) {
                const QString text = itemTextOf(record);
                rows.emplace_back(
                    text.section(QLatin1Char(','), 0, 0), text.section(QLatin1Char(','), 1, 1));
            }
            models[k].setRows(std::move(rows));
        }
        window.repaint();
    }
}
BENCHMARK(BM_BareTreeViewsFill)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The database screen shown with its two lists.
struct ShownDbScreen {
    ShownDbScreen() { screen.show(); }
    QtPlatform platform;
    QtTimerFactory timers;
    DbListModel lists[2];
    DBgamen screen {lists[0], lists[1], platform, timers, {}};
};

void BM_FillDbListsShown(benchmark::State& state)
{
    const ProblemSet set = dbBenchSet(int(state.range(0)));
    ShownDbScreen db;
    for (auto _ : state) {
        FillDbLists(set, QStringLiteral(","), db.lists[0], db.lists[1]);
        db.screen.afterFill();
        db.screen.repaint();
    }
}
BENCHMARK(BM_FillDbListsShown)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// A finished test of n items shown in the same screen's result view: every other item
// answered correctly, every fifth one marked red.
void BM_FillResultListsShown(benchmark::State& state)
{
    const int n = int(state.range(0));
    QList<ListEntry> testList;
    testList.reserve(n);
    for (int i = 0; i < n; ++i)
        testList.append({QStringLiteral("word%1,意味%1").arg(i), i % 5 == 0, i % 2 == 0});
    ShownDbScreen db;
    db.screen.showAsResults();
    for (auto _ : state) {
        FillResultLists(testList, QStringLiteral(","), db.lists[0], db.lists[1]);
        db.screen.UpdateListCounts();
        db.screen.repaint();
    }
}
BENCHMARK(BM_FillResultListsShown)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Every twentieth entry checked: 1000 of 20000 move to the other, shown, list.
void BM_MoveCheckedDb(benchmark::State& state)
{
    const int n = int(state.range(0));
    QList<DbEntry> entries;
    for (int i = 0; i < n; ++i) {
        entries.append(
            makeDbEntry(QStringLiteral("word%1,意味%1").arg(i), QStringLiteral(","), false));
        entries.back().checked = i % 20 == 0;
    }
    ShownDbScreen db;
    for (auto _ : state) {
        state.PauseTiming();
        db.lists[0].setEntries(entries);
        db.lists[1].clear();
        QApplication::processEvents();
        state.ResumeTiming();
        db.screen.MoveRight();
        db.screen.repaint();
    }
}
BENCHMARK(BM_MoveCheckedDb)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void fillNoHit(DbListModel& m, int n, int offset)
{
    QList<DbEntry> entries;
    for (int i = 0; i < n; ++i)
        entries.append(makeDbEntry(
            QStringLiteral("Word%1,意味%1").arg(i + offset), QStringLiteral(","), false));
    m.setEntries(std::move(entries));
}

void BM_FindNextNoHit(benchmark::State& state)
{
    const int n = int(state.range(0));
    DbListModel left;
    DbListModel right;
    fillNoHit(left, n, 0);
    fillNoHit(right, n, n);
    for (auto _ : state) {
        DbSearchState search;
        benchmark::DoNotOptimize(FindNext(search, left, right, QStringLiteral("zebra")));
    }
}
BENCHMARK(BM_FindNextNoHit)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_PlainCaseInsensitiveLoop(benchmark::State& state)
{
    const int n = int(state.range(0));
    QStringList columns;
    for (int i = 0; i < 2 * n; ++i) {
        columns.append(QStringLiteral("Word%1").arg(i));
        columns.append(QStringLiteral("意味%1").arg(i));
    }
    const QString text = QStringLiteral("zebra");
    for (auto _ : state) {
        int hits = 0;
        for (const QString& c : columns)
            hits += c.contains(text, Qt::CaseInsensitive) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_PlainCaseInsensitiveLoop)
    ->Arg(2000)
    ->Arg(20000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

// The real engines on precise Qt timers: the first 20 items at 1 s with the question share
// 5 give 40 phases of 500 ms. Each benchmark reports how far each phase boundary fell from
// its ideal time. A 21st item keeps the end of a test (its results shown) out of the
// measure: that is not a phase.
class PhaseTiming {
public:
    PhaseTiming()
    {
        InitSettings(SettingsStore::settingsPath(m_folder.path()));
        QString list;
        for (int i = 1; i <= 21; ++i)
            list += QStringLiteral("item%1,answer%1\r\n").arg(i);
        QFile f(path());
        f.open(QIODevice::WriteOnly);
        f.write(list.toUtf8());
    }
    QString path() const { return m_folder.filePath(QStringLiteral("w.txt")); }
    AppContext context() { return {m_platform, m_clock, m_timers, m_random, m_speech}; }

    // Runs the engine that start sets going until 41 boundaries (a change of either
    // line) were seen.
    void measure(Form1& form, const std::function<void()>& start)
    {
        auto* first = form.findChild<QLabel*>(QStringLiteral("Label1"));
        auto* second = form.findChild<QLabel*>(QStringLiteral("Label2"));
        QElapsedTimer t;
        std::vector<qint64> boundaries;
        QString lastFirst, lastSecond;
        // Sleeps until an event comes (processEvents with a time limit never waits, so
        // the loop would spin a core against the engine it measures); the deadline timer
        // wakes it at the end.
        bool timedOut = false;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&] { timedOut = true; });
        start();
        t.start();
        deadline.start(30000);
        while (boundaries.size() < 41 && !timedOut) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (first->text() != lastFirst || second->text() != lastSecond) {
                boundaries.push_back(t.nsecsElapsed());
                lastFirst = first->text();
                lastSecond = second->text();
            }
        }
        // The error of a boundary is how far it fell from 500 ms after the previous one;
        // the drift is how far the last fell from 40 × 500 ms after the first, which is
        // where lateness that each phase hands on to the next adds up.
        for (size_t i = 1; i < boundaries.size(); ++i)
            m_errors.push_back(std::abs(double(boundaries[i] - boundaries[i - 1]) - 500e6) / 1e6);
        if (boundaries.size() > 1)
            m_drift
                = (boundaries.back() - boundaries.front() - (boundaries.size() - 1) * 500e6) / 1e6;
    }

    void report(benchmark::State& state)
    {
        std::sort(m_errors.begin(), m_errors.end());
        state.counters["median_error_ms"] = m_errors.empty() ? -1 : m_errors[m_errors.size() / 2];
        state.counters["max_error_ms"] = m_errors.empty() ? -1 : m_errors.back();
        state.counters["phases"] = double(m_errors.size());
        state.counters["drift_ms"] = m_drift;
    }

private:
    QTemporaryDir m_folder;
    QtPlatform m_platform {m_folder.path()};
    SystemClock m_clock;
    QtTimerFactory m_timers;
    StdRandomSource m_random;
    SilentSpeech m_speech;
    std::vector<double> m_errors;
    double m_drift = 0;
};

void BM_StudyPhaseTiming(benchmark::State& state)
{
    PhaseTiming timing;
    for (auto _ : state) {
        Form1 form(timing.context());
        form.problems().openChosenFile(timing.path());
        form.findChild<QRadioButton*>(QStringLiteral("Rndop_1"))->setChecked(true);
        form.findChild<QComboBox*>(QStringLiteral("Seccom"))->setCurrentText(QStringLiteral("1"));
        timing.measure(
            form, [&] { form.findChild<QToolButton*>(QStringLiteral("Startbtn"))->click(); });
    }
    timing.report(state);
}
BENCHMARK(BM_StudyPhaseTiming)->Iterations(1)->Unit(benchmark::kMillisecond);

// An automatic test over the same items at 1 s: its own timer and steps.
void BM_TestPhaseTiming(benchmark::State& state)
{
    PhaseTiming timing;
    for (auto _ : state) {
        Form1 form(timing.context());
        form.problems().openChosenFile(timing.path());
        form.chooseTestSetup = [](const TestSetupInput&) {
            TestChoice choice;
            choice.seconds = QStringLiteral("1");
            choice.random = false;
            choice.rangeIndex = 0;
            return std::optional<TestChoice>(choice);
        };
        timing.measure(
            form, [&] { form.findChild<QToolButton*>(QStringLiteral("TESTbtn"))->click(); });
    }
    timing.report(state);
}
BENCHMARK(BM_TestPhaseTiming)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The history's charts module, as built beside the program.
    if (qEnvironmentVariableIsEmpty("KERUNA_MODULE_DIR"))
        qputenv("KERUNA_MODULE_DIR", KERUNA_BUILD_DIR);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
