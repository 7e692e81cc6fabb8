#include "database/dbsearch.h"

#include "database/dblistmodel.h"

#include <gtest/gtest.h>

using namespace keruna;

namespace {

using List = DbSearchStep::List;

void fill(DbListModel& m, std::initializer_list<const char*> texts)
{
    QList<DbEntry> out;
    for (const char* t : texts)
        out.append(makeDbEntry(QString::fromUtf8(t), QStringLiteral(","), false));
    m.setEntries(out);
}

struct Expect {
    List list;
    int row;
    QString message;
};

const QString none;

} // namespace

TEST(DbSearch, WalksBothListsHitByHit)
{
    struct Case {
        const char* name;
        std::initializer_list<const char*> left;
        std::initializer_list<const char*> right;
        const char* text;
        std::vector<Expect> steps;
    };
    const Case cases[] = {
        {"hits in both lists, then the end", {"cat,猫", "dog,犬"}, {"catch,捕る", "bird,鳥"}, "cat",
            {{List::Left, 0, none}, {List::Right, 0, none}, {List::None, -1, kSearchEnded},
                {List::Left, 0, none}}},
        {"nowhere", {"cat,猫"}, {"dog,犬"}, "fox",
            {{List::None, -1, kSearchNotFound}, {List::None, -1, kSearchNotFound}}},
        {"only the very last entry ends at once", {"cat,猫"}, {"dog,犬", "fox,狐"}, "fox",
            {{List::Right, 1, kSearchEnded}, {List::Right, 1, kSearchEnded}}},
        {"capitals find small letters", {"Apple,りんご"}, {"pineapple,パイン"}, "APPLE",
            {{List::Left, 0, none}, {List::Right, 0, kSearchEnded}}},
        {"the meaning column", {"cat,猫"}, {"dog,犬,いぬ"}, "犬", {{List::Right, 0, kSearchEnded}}},
        {"not beyond the second column", {}, {"dog,犬,いぬ"}, "いぬ",
            {{List::None, -1, kSearchNotFound}}},
        // A list's 〜 from code page 932 is ～; the input method types 〜.
        {"the wave dash of typed text", {"a～b,波"}, {"x,−1", "y,1"}, "〜",
            {{List::Left, 0, none}, {List::None, -1, kSearchEnded}}},
        {"the minus sign of the list", {"a～b,波"}, {"x,－1", "y,1"}, "−1",
            {{List::Right, 0, none}, {List::None, -1, kSearchEnded}}},
        {"right list alone", {}, {"a,1", "b,1", "c,2"}, "1",
            {{List::Right, 0, none}, {List::Right, 1, none}, {List::None, -1, kSearchEnded}}},
    };
    for (const Case& c : cases) {
        DbListModel left;
        DbListModel right;
        fill(left, c.left);
        fill(right, c.right);
        DbSearchState state;
        int i = 0;
        for (const Expect& e : c.steps) {
            const DbSearchStep step = FindNext(state, left, right, QString::fromUtf8(c.text));
            EXPECT_EQ(step.list, e.list) << c.name << " step " << i;
            EXPECT_EQ(step.row, e.row) << c.name << " step " << i;
            EXPECT_EQ(step.message, e.message) << c.name << " step " << i;
            ++i;
        }
    }
}

TEST(DbSearch, NothingToSearchLeavesTheStateAlone)
{
    DbListModel left;
    DbListModel right;
    DbSearchState state {3, true};
    EXPECT_EQ(FindNext(state, left, right, QStringLiteral("a")).list, List::None);
    fill(left, {"a,1"});
    const DbSearchStep step = FindNext(state, left, right, QString());
    EXPECT_TRUE(step.message.isEmpty());
    EXPECT_EQ(state.position, 3);
    EXPECT_TRUE(state.found);
}

TEST(DbSearch, ListsThatShrankSinceTheLastHit)
{
    DbListModel left;
    DbListModel right;
    fill(left, {"a,1", "b,1", "c,1"});
    DbSearchState state;
    FindNext(state, left, right, QStringLiteral("1"));
    FindNext(state, left, right, QStringLiteral("1"));
    ASSERT_EQ(state.position, 2);
    fill(left, {"a,1"});
    EXPECT_EQ(FindNext(state, left, right, QStringLiteral("1")).message, kSearchEnded);
    EXPECT_EQ(FindNext(state, left, right, QStringLiteral("1")).row, 0);
}
