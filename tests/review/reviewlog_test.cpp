#include "common/textfile.h"
#include "problemdata/problemset.h"
#include "review/reviewcache.h"
#include "review/reviewlog.h"
#include "review/reviewschedule.h"
#include "support/harness.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

ReviewRecord record(int day, const QString& list, const QString& item, bool right)
{
    return {QDate(2026, 11, day), QTime(9, 30, 5), list, item, right, QStringLiteral("manual")};
}

} // namespace

// A test's judgements go in with one append each time and come back as they went in,
// names with commas, quotes and line breaks included; another list's lines are passed
// over; damaged, hand-edited and torn lines are skipped and counted; a cut-short append is
// taken back.
TEST(ReviewLog, AppendsComeBackAndDamageIsSkippedAndCounted)
{
    QTemporaryDir dir;
    ReviewLog log(ReviewLog::besideSettings(dir.filePath("Settei.ini")));
    const QString list = QStringLiteral("/home/学習者/\"単語\", 第1集.txt");
    const QList<ReviewRecord> first {record(1, list, QStringLiteral("apple,りんご"), true),
        record(1, list, QStringLiteral("book"), false)};
    const QList<ReviewRecord> second {
        record(2, "/other.txt", "cat", true), record(3, list, QStringLiteral("line\nbreak"), true)};
    ASSERT_TRUE(log.append(first));
    const QByteArray before = readBytes(log.path());
    ASSERT_TRUE(log.append(second));
    EXPECT_TRUE(readBytes(log.path()).startsWith(before));
    EXPECT_EQ(readBytes(log.path()).count('\n'), 5); // the header and one line each

    ReviewRead read = log.read(list);
    EXPECT_EQ(read.damaged, 0);
    QList<ReviewRecord> expected = first;
    expected.append(second[1]);
    expected.last().item = QStringLiteral("line break");
    EXPECT_EQ(read.records, expected);
    EXPECT_EQ(log.read().records.size(), 4);

    const QByteArray good = reviewLine(record(4, list, "dog", true));
    QByteArray bytes = readBytes(log.path());
    for (const QByteArray& damaged :
        {QByteArray("garbage"), QByteArray(good).replace("right", "maybe"),
            QByteArray(good).replace("manual", "study"), QByteArray(good).replace("2026-", "2099-"),
            QByteArray(good).replace("2026-11-04", "2026-11-31"), good + ",extra",
            QByteArray(10 * 1024 * 1024, 'x')})
        bytes += damaged + "\r\n";
    bytes += good.left(good.size() / 2); // torn
    writeBytes(log.path(), bytes);
    read = log.read(list);
    EXPECT_EQ(read.damaged, 7);
    EXPECT_EQ(read.records.size(), 3);

    const QByteArray whole = readBytes(log.path());
    failWriteAfter(0);
    EXPECT_FALSE(log.append({record(5, list, "egg", true)}));
    failWriteAfter(-1);
    EXPECT_EQ(readBytes(log.path()), whole);
    EXPECT_TRUE(log.isOff());
    EXPECT_FALSE(log.notice().isEmpty());
}

// The log's judgements become each item's schedule: right is Good, wrong is Again, in the
// order they were made; items are known by their text.
TEST(ReviewSchedule, EachItemIsScheduledFromItsOwnJudgements)
{
    const QString list = QStringLiteral("/w.txt");
    const QHash<QString, FsrsState> states = scheduleReviews({record(1, list, "a", true),
        record(1, list, "b", false), record(3, list, "a", true), record(2, list, "c", true)});
    ASSERT_EQ(states.size(), 3);
    const int64_t day1 = reviewDay(QDate(2026, 11, 1));
    EXPECT_EQ(states["a"].reviews, 2);
    EXPECT_EQ(states["a"].lastDay, day1 + 2);
    EXPECT_EQ(fsrsDueDay(states["a"]), fsrsDueDay(fsrsReplay({{day1, 3}, {day1 + 2, 3}})));
    EXPECT_EQ(fsrsDueDay(states["b"]), day1 + 1); // Again: tomorrow
    EXPECT_EQ(fsrsDueDay(states["c"]), day1 + 1 + fsrsIntervalDays(fsrsInitialStability(3)));
}

// A list's schedule kept between loads (items keyed by their text, marks aside): a load of
// the same list goes on from it when the log only grew a little, and takes in just what it
// gained; the due marks are made again
// when the schedule, the list or the day changed, and taken as they were otherwise.
TEST(ReviewCache, GoesOnFromTheLastReadAndMarksDueOncePerChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keruna-reviews.csv");
    const QString list = QStringLiteral("/w.txt");
    ReviewLog log(path);
    ASSERT_TRUE(log.append({record(1, list, "a,1", false), record(1, list, "b,2", true)}));
    ReviewCache cache = ReviewCache::read(path, list);
    EXPECT_EQ(cache.states.size(), 2);
    const qint64 size = QFileInfo(path).size();
    EXPECT_EQ(cache.end, size);
    EXPECT_TRUE(cache.goesOnTo(list, size + 100, 1000));
    EXPECT_FALSE(cache.goesOnTo(QStringLiteral("/other.txt"), size, 1000));
    EXPECT_FALSE(cache.goesOnTo(list, size - 1, 1000)); // cleared since
    EXPECT_FALSE(cache.goesOnTo(list, size + 1001, 1000));

    ProblemSet set;
    for (const char* line : {"a,1,,○", "b,2,,○", "c,3,,○"})
        set.addLine(QString::fromUtf8(line));
    const QDate day2(2026, 11, 2);
    cache.markDue(set, day2);
    EXPECT_EQ(set.dueList, QStringList({"a,1,,○"})); // wrong yesterday: due today

    ASSERT_TRUE(log.append({record(1, list, "c,3", false)}));
    cache.readOn(log);
    EXPECT_EQ(cache.states.size(), 3);
    EXPECT_EQ(cache.end, QFileInfo(path).size());
    cache.markDue(set, day2); // the same day, but the schedule changed
    EXPECT_EQ(set.dueList, QStringList({"a,1,,○", "c,3,,○"}));

    // Nothing changed: the marks are taken as they were, whatever the days say now.
    cache.days["c,3"] = reviewDay(day2) + 99;
    cache.markDue(set, day2);
    EXPECT_EQ(set.dueList, QStringList({"a,1,,○", "c,3,,○"}));
    // The next day they are made again: b only if its first interval has run out.
    const QDate day3 = day2.addDays(1);
    cache.markDue(set, day3);
    QStringList due = {"a,1,,○"};
    if (cache.days["b,2"] <= reviewDay(day3))
        due.append("b,2,,○");
    EXPECT_EQ(set.dueList, due);
}
