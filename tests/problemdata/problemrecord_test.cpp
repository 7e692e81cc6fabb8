#include "problemdata/problemrecord.h"
#include "problemdata/problemset.h"

#include <gtest/gtest.h>

using namespace keruna;

TEST(ProblemRecord, ClassifiesByTheLastThreeCharacters)
{
    struct Case {
        const char* line;
        const char* record;
        bool memorized;
        bool red;
    };
    const Case cases[] = {
        {"cat,ねこ", "cat,ねこ,,×", false, false},
        {"cat,ねこ,赤×", "cat,ねこ,赤×", false, true},
        {"cat,ねこ,,○", "cat,ねこ,,○", true, false},
        {"cat,ねこ,赤○", "cat,ねこ,赤○", true, true},
        {"ab", "ab,,×", false, false},
        {"cat,ねこ,,×", "cat,ねこ,,×,,×", false, false},
        {"cat,ねこ,×", "cat,ねこ,×,,×", false, false},
        {"cat,ねこ,赤", "cat,ねこ,赤,,×", false, false},
        {"cat,ねこ,,○ ", "cat,ねこ,,○ ,,×", false, false},
        // A mark with no item text before it.
        {",,○", ",,○", true, false},
        {",赤×", ",赤×", false, true},
    };
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        const QString record = classifyLine(line);
        EXPECT_EQ(record, QString::fromUtf8(c.record)) << c.line;
        EXPECT_EQ(isMemorizedRecord(record), c.memorized) << c.line;
        EXPECT_EQ(isRedRecord(record), c.red) << c.line;
        // Writing a record back gives exactly the line it came from.
        EXPECT_EQ(lineToWrite(record), line) << c.line;
    }
}

TEST(ProblemSet, FilesRecordsInEveryListTheyBelongTo)
{
    ProblemSet set;
    for (const char* line : {"a,1", "b,2,赤×", "c,3,,○", "d,4,赤○", "e,5"})
        set.addLine(QString::fromUtf8(line));
    EXPECT_EQ(set.totalCount, 5);
    EXPECT_EQ(set.notYetList, (QStringList {"a,1,,×", "b,2,赤×", "e,5,,×"}));
    EXPECT_EQ(set.memorizedList, (QStringList {"c,3,,○", "d,4,赤○"}));
    EXPECT_EQ(set.redList, (QStringList {"b,2,赤×", "d,4,赤○"}));
    EXPECT_EQ(set.notYetCount + set.memorizedCount, set.totalCount);
    EXPECT_EQ(set.redCount, 2);
    EXPECT_EQ(set.rawLine(1), QStringLiteral("b,2,赤×"));
    EXPECT_EQ(set.rawLine(0), QStringLiteral("a,1"));

    set.path = "x.txt";
    set.clearRecords();
    EXPECT_EQ(set.totalCount, 0);
    EXPECT_TRUE(set.allList.isEmpty() && set.redList.isEmpty() && set.notYetList.isEmpty());
    EXPECT_EQ(set.path, "x.txt");
}
