// The controller against a view that writes down what the learner would see.
#include "problemdata/problemcontroller.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

class RecordingView final : public ProblemView {
public:
    QStringList seen;
    bool mayReplace = true;

    std::optional<QString> chooseListFile(const OpenFileRequest&) override { return {}; }
    void tell(const QString& text, MessageIcon) override { seen << "tell " + text; }
    bool raiseAboveToolWindows() override { return false; }
    void settleAfterRaise() override { }
    void showTitle(const QString& caption) override { seen << "title " + caption; }
    void showRange(std::optional<RangeFilter> checked, int boxIndex) override
    {
        seen << QStringLiteral("range %1 box %2")
                    .arg(checked ? rangeLabel(*checked) : QStringLiteral("-"))
                    .arg(boxIndex);
    }
    void showCheckAllPicture() override { }
    void hideItemPictures() override { }
    void lockItemButtons() override { seen << "lock"; }
    bool testActive() const override { return false; }
    bool mayReplaceList() override { return mayReplace; }
    void takeDownTestDisplay() override { }
    void restartFromFirstItem() override { }
    void applyProperties() override { }
    void refillDatabaseScreen() override { }
    void stopIdleAnimation() override { }
    void restoreItemFrameColour() override { }
    void clearGetList() override { seen << "clear GET"; }
    void resetGetTestDisplay() override { }
    void rebuildTestHeading() override { }
    void markDue(ProblemSet&) override { }
    void awaitDue() override { }
};

} // namespace

// Opening shows the list's title and its first range, with the item buttons locked until
// an item shows; an empty range is refused in words and the range in force stays shown;
// an open the user declines changes nothing.
TEST(ProblemController, ShowsWhatItOpensAndRefusesAnEmptyRange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    keruna::test::writeBytes(path, "a,1\r\nb,2,,\x81\x9B\r\n");
    RecordingView view;
    ProblemSet set;
    RangeState range;
    ProblemController controller(view, set, range);

    ASSERT_TRUE(controller.openGivenFile(path));
    EXPECT_EQ(set.totalCount, 2);
    ASSERT_GE(view.seen.size(), 3);
    EXPECT_TRUE(view.seen.first().startsWith("title ")) << view.seen.first().toStdString();
    EXPECT_TRUE(view.seen.contains(QStringLiteral("range 【未】 box 0")));
    EXPECT_EQ(view.seen.last(), "lock");

    view.seen.clear();
    controller.rangeChosen(RangeFilter::Red);
    EXPECT_EQ(view.seen,
        QStringList({QStringLiteral("tell 要チェックデータがありません。"),
            QStringLiteral("range 【未】 box 0")}));
    EXPECT_EQ(range.current, RangeFilter::NotYet);

    view.seen.clear();
    view.mayReplace = false;
    EXPECT_FALSE(controller.openGivenFile(path));
    EXPECT_TRUE(view.seen.isEmpty());
}
