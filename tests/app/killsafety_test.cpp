#include "app/form1.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "mainscreen/maincontrols.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <thread>

#include <dirent.h>
#include <limits.h>
#include <linux/magic.h>
#include <signal.h>
#include <sys/vfs.h>
#include <unistd.h>

using namespace keruna;
using namespace keruna::test;

// A save may be cut off at any moment by a crash, a power cut or the user ending the
// program. The parent test starts this same executable again as a child that saves in a
// loop, kills it with SIGKILL at a random moment and checks that the file is whole.

namespace {

const char* const kModeVariable = "KERUNA_KILL_CHILD";
const char* const kFolderVariable = "KERUNA_KILL_FOLDER";
constexpr int kRounds = 40;

// One line to the parent, flushed at once: a killed child flushes nothing.
void tell(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The child's folder, or nullopt when this process is not the child of the given mode.
std::optional<QDir> childFolder(const char* mode)
{
    if (qgetenv(kModeVariable) != mode)
        return std::nullopt;
    return QDir(qEnvironmentVariable(kFolderVariable));
}

// Saves with save() in a loop; step(i) prepares the i-th save. The first two saves
// are checked against the two versions (versions[0] after even saves, versions[1] after
// odd ones) before the parent is told it may kill.
template <class Step, class Save>
void saveUntilKilled(const QString& file, const QByteArray versions[2], Step step, Save save)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0;; ++i) {
        step(i);
        if (::testing::Test::HasFatalFailure())
            return;
        tell("save-begin");
        save();
        tell("save-end");
        if (i < 2) {
            ASSERT_EQ(readBytes(file), versions[i % 2]) << "save " << i;
        }
        if (i == 1)
            tell("ready " + QByteArray::number(clock.elapsed() / 2));
        ASSERT_LT(clock.elapsed(), 60000) << "never killed";
    }
}

// 20000 lines in code page 932, every third one memorized. The new version has the
// first line memorized as well.
QByteArray wordList(bool firstMemorized)
{
    QString text;
    for (int i = 0; i < 20000; ++i) {
        text += QStringLiteral("word%1,意味%2").arg(i, 5, 10, QLatin1Char('0')).arg(i);
        if (i % 3 == 2 || (i == 0 && firstMemorized))
            text += QStringLiteral(",,○");
        text += QStringLiteral("\r\n");
    }
    return sjis(text);
}

struct Kill {
    bool killed = false; // false: the child ended by itself or never got ready
    bool duringSave = false; // the last thing the child said was that a save began
    bool newFileOpen = false; // a moment before the kill, the child held a new file open
};

// True when the process holds a file in folder open other than those named: the new
// file of a safe write, whether named or unnamed (O_TMPFILE shows as "#… (deleted)").
// Plain system calls: the scan runs in a tight loop while the child writes.
bool holdsNewFile(qint64 pid, const QByteArray& folder, const QList<QByteArray>& known)
{
    const QByteArray fds = "/proc/" + QByteArray::number(pid) + "/fd";
    DIR* dir = opendir(fds.constData());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* e = readdir(dir)) {
        char target[PATH_MAX];
        const QByteArray link = fds + '/' + e->d_name;
        const ssize_t n = readlink(link.constData(), target, sizeof target);
        if (n <= folder.size() || !QByteArrayView(target, n).startsWith(folder + '/'))
            continue;
        const QByteArrayView name = QByteArrayView(target, n).sliced(folder.size() + 1);
        if (!name.contains('/') && !known.contains(name.toByteArray())) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

// How a round picks its moment: anywhere in the save loop, or where a cut-off write would
// do its harm: as soon as the child is seen holding the new file open, or up to 2 ms later.
enum class Aim { Anywhere, AtTheWrite, IntoTheWrite };

// Runs the child of the given mode in folder and kills it with SIGKILL once it is ready.
Kill killChild(const char* mode, const char* testName, const QString& folder,
    const QList<QByteArray>& known, Aim aim, std::mt19937& random)
{
    Kill result;
    const QString tmp = QDir(folder).filePath(QStringLiteral("tmp"));
    QDir(tmp).removeRecursively(); // what earlier killed children left behind
    QDir().mkpath(tmp);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QString::fromLatin1(kModeVariable), QString::fromLatin1(mode));
    env.insert(QString::fromLatin1(kFolderVariable), folder);
    env.insert(QStringLiteral("TMPDIR"), tmp); // the harness's own folders land here
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels); // a full pipe would stall it
    child.start(QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_filter=KillSafetyChild.") + QString::fromLatin1(testName)});
    if (!child.waitForStarted(10000)) {
        ADD_FAILURE() << "the child did not start";
        return result;
    }
    QByteArray out;
    qsizetype ready = -1;
    while ((ready = out.indexOf("\nready ")) < 0) {
        if (!child.waitForReadyRead(30000)) {
            const std::string why = child.errorString().toStdString();
            child.kill();
            child.waitForFinished();
            ADD_FAILURE() << "the child never got ready (" << why << "):\n"
                          << (out + child.readAll()).toStdString();
            return result;
        }
        out += child.readAllStandardOutput();
    }
    const int cycleMs = std::max(1, out.mid(ready + 7).split('\n').value(0).toInt());
    const qint64 pid = child.processId();
    const QByteArray where = QFile::encodeName(folder);
    using Clock = std::chrono::steady_clock;
    if (aim == Aim::Anywhere) {
        // Within about three save cycles, so that every phase of a save is hit.
        const int delayUs = std::uniform_int_distribution<int>(0, 3000 * cycleMs)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    } else {
        const Clock::time_point giveUp = Clock::now() + std::chrono::milliseconds(5 * cycleMs);
        while (!(result.newFileOpen = holdsNewFile(pid, where, known)) && Clock::now() < giveUp) { }
        if (aim == Aim::IntoTheWrite) {
            const int delayUs = std::uniform_int_distribution<int>(0, 2000)(random);
            const Clock::time_point until = Clock::now() + std::chrono::microseconds(delayUs);
            while (Clock::now() < until) { }
        }
    }
    // Looked at again unless the kill follows the sighting at once.
    if (aim != Aim::AtTheWrite)
        result.newFileOpen = holdsNewFile(pid, where, known);
    ::kill(pid_t(pid), SIGKILL);
    child.waitForFinished(10000);
    out += child.readAllStandardOutput();
    result.killed = child.exitStatus() == QProcess::CrashExit;
    if (!result.killed)
        ADD_FAILURE() << "the child ended by itself:\n" << out.toStdString();
    result.duringSave = out.lastIndexOf("save-begin") > out.lastIndexOf("save-end");
    return result;
}

// Files in folder other than those named: new files of a safe write cut off.
int leftovers(const QString& folder, const QStringList& known)
{
    int count = 0;
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (!known.contains(name)) {
            ++count;
            dir.remove(name);
        }
    }
    return count;
}

bool onRamDisk(const QString& folder)
{
    struct statfs fs { };
    return statfs(QFile::encodeName(folder).constData(), &fs) == 0
        && (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC);
}

struct Tally {
    int duringSave = 0;
    int newFileOpen = 0;
    int leftBehind = 0; // cut off between naming the new file and the rename
    int renewed = 0;
};

// Kills a child of the given mode in folder kRounds times, every other round aimed at
// the write. prepare() runs before each child starts; check() after each kill, with
// assertions of its own, and says whether the file holds the new version.
template <class Prepare, class Check>
void killRounds(const char* mode, const char* testName, const QString& folder,
    const QStringList& known, Prepare prepare, Check check)
{
    Tally tally;
    const unsigned seed = std::random_device {}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    QList<QByteArray> knownBytes;
    for (const QString& name : known)
        knownBytes.append(QFile::encodeName(name));
    const QString where = QFileInfo(folder).canonicalFilePath();
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        prepare();
        const Aim aims[] = {Aim::Anywhere, Aim::AtTheWrite, Aim::Anywhere, Aim::IntoTheWrite};
        const Aim aim = aims[round % 4];
        const Kill kill = killChild(mode, testName, where, knownBytes, aim, random);
        if (!kill.killed)
            return;
        const bool isNew = check();
        if (::testing::Test::HasFailure())
            return;
        tally.renewed += isNew;
        tally.duringSave += kill.duringSave;
        tally.newFileOpen += kill.newFileOpen;
        tally.leftBehind += leftovers(where, known);
    }
    const std::string figures = std::to_string(kRounds) + " kills in "
        + std::to_string(clock.elapsed()) + " ms: " + std::to_string(tally.duringSave)
        + " during a save, " + std::to_string(tally.newFileOpen) + " with the new file open, "
        + std::to_string(tally.leftBehind) + " left it behind; "
        + std::to_string(kRounds - tally.renewed) + " old and " + std::to_string(tally.renewed)
        + " new afterwards";
    std::cout << figures << std::endl;
    ::testing::Test::RecordProperty("kills", figures);
    // Saves completed between the kills, and kills cut saves off. On a disk the write
    // and its flush take milliseconds and the aimed kills land inside them; on a RAM disk
    // a write is over too soon to be sure of that.
    EXPECT_GT(tally.renewed, 0);
    EXPECT_LT(tally.renewed, kRounds);
    EXPECT_GT(tally.duringSave, 0);
    if (!onRamDisk(where)) {
        EXPECT_GT(tally.newFileOpen + tally.leftBehind, 0);
    }
}

} // namespace

TEST(KillSafetyChild, SavesTheListUntilKilled)
{
    const std::optional<QDir> folder = childFolder("list");
    if (!folder)
        GTEST_SKIP() << "only runs as the child the kill-safety test starts";
    const QString list = folder->filePath(QStringLiteral("list.txt"));
    // Even saves memorize the first word, odd ones take it back.
    const QByteArray versions[2] = {readBytes(folder->filePath(QStringLiteral("list.new"))),
        readBytes(folder->filePath(QStringLiteral("list.old")))};
    Form1Harness h;
    h.start();
    h.open(list);
    h.find<QToolButton>(QStringLiteral("DBbtn"))->click();
    DBgamen* db = h.form().databaseScreen();
    ASSERT_NE(db, nullptr);
    auto* save = db->findChild<QToolButton*>(QStringLiteral("sumihozon"));
    ASSERT_NE(save, nullptr);
    const auto step = [&](int i) {
        const bool toMemorized = i % 2 == 0;
        DbListModel& from = h.form().databaseList(!toMemorized);
        ASSERT_EQ(from.index(0, 0).data().toString(), QStringLiteral("word00000"));
        from.setData(from.index(0, 0), Qt::Checked, Qt::CheckStateRole);
        db->findChild<QToolButton*>(
              toMemorized ? QStringLiteral("hidariidou") : QStringLiteral("migiidou"))
            ->click();
    };
    saveUntilKilled(list, versions, step, [&] { save->click(); });
}

TEST(KillSafetyChild, SavesTheSettingsUntilKilled)
{
    const std::optional<QDir> folder = childFolder("settings");
    if (!folder)
        GTEST_SKIP() << "only runs as the child the kill-safety test starts";
    const QString ini = SettingsStore::settingsPath(folder->path());
    Form1Harness h;
    h.platform.folder = folder->path();
    h.start();
    const MainControls& c = h.form().controls();
    const auto step = [&](int i) {
        c.Seccom->setCurrentIndex(i % 2);
        c.Revch->setChecked(i % 2 == 1);
    };
    // The two versions are those the first two saves make, recorded for the parent.
    QByteArray versions[2];
    for (int i = 0; i < 2; ++i) {
        step(i);
        h.form().SaveCurrentSettings();
        versions[i] = readBytes(ini);
    }
    ASSERT_NE(versions[0], versions[1]);
    writeBytes(folder->filePath(QStringLiteral("settings.old")), versions[0]);
    writeBytes(folder->filePath(QStringLiteral("settings.new")), versions[1]);
    saveUntilKilled(ini, versions, step, [&] { h.form().SaveCurrentSettings(); });
}

TEST(KillSafety, AListSavedFromTheDatabaseScreenIsWholeWhenKilledAtAnyMoment)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("list.txt"));
    const QByteArray old = wordList(false);
    const QByteArray renewed = wordList(true);
    writeBytes(dir.filePath(QStringLiteral("list.old")), old);
    writeBytes(dir.filePath(QStringLiteral("list.new")), renewed);
    killRounds(
        "list", "SavesTheListUntilKilled", dir.path(),
        {QStringLiteral("list.txt"), QStringLiteral("list.old"), QStringLiteral("list.new")},
        [&] { writeBytes(list, old); },
        [&] {
            const QByteArray now = readBytes(list);
            EXPECT_TRUE(now == old || now == renewed) << now.size() << " bytes";
            return now == renewed;
        });
}

TEST(KillSafety, SettingsSavedByTheMainScreenAreWholeWhenKilledAtAnyMoment)
{
    QTemporaryDir dir;
    const QString ini = SettingsStore::settingsPath(dir.path());
    InitSettings(ini);
    const QString oldPath = dir.filePath(QStringLiteral("settings.old"));
    const QString newPath = dir.filePath(QStringLiteral("settings.new"));
    QByteArray firstVersions[2];
    killRounds(
        "settings", "SavesTheSettingsUntilKilled", dir.path(),
        {QStringLiteral("Settei.ini"), QStringLiteral("settings.old"),
            QStringLiteral("settings.new")},
        [] {},
        [&] {
            const QByteArray old = readBytes(oldPath);
            const QByteArray renewed = readBytes(newPath);
            // Every child makes the same two versions, whichever one it started from.
            if (firstVersions[0].isEmpty()) {
                firstVersions[0] = old;
                firstVersions[1] = renewed;
            }
            EXPECT_EQ(old, firstVersions[0]);
            EXPECT_EQ(renewed, firstVersions[1]);
            const QByteArray now = readBytes(ini);
            EXPECT_TRUE(now == old || now == renewed) << now.size() << " bytes";
            QStringList missing;
            for (const SettingEntry& e : defaultEntries()) {
                if (SettingsStore::ReadValue(e.key, e.section, ini) == SettingsStore::kMissing)
                    missing.append(e.section + u'/' + e.key);
            }
            EXPECT_TRUE(missing.isEmpty()) << missing.join(u' ').toStdString();
            return now == renewed;
        });
}
