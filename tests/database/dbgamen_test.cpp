#include "app/form1.h"
#include "common/twips.h"
#include "database/dbgamen.h"
#include "database/dblistmodel.h"
#include "getlist/getlist.h"
#include "settings/settingsstore.h"
#include "support/harness.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

using namespace keruna;
using namespace keruna::test;

namespace {

class DbScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("list.txt");
        writeBytes(path,
            sjis(QStringLiteral("apple,りんご,,○\r\nbook,本\r\ncat,猫,赤×\r\ndog,犬,,○\r\n"
                                "egg,卵\r\n")));
        h.open(path);
        h.find<QToolButton>("DBbtn")->click();
        db = h.form().databaseScreen();
        ASSERT_NE(db, nullptr);
    }
    template <class T> T* find(const char* name) const
    {
        T* w = db->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { find<QToolButton>(name)->click(); }
    void press(const char* list, Qt::Key key)
    {
        QTreeView* view = find<QTreeView>(list);
        view->setFocus();
        QTest::keyClick(view, key);
    }
    void select(const char* list, int row)
    {
        QTreeView* view = find<QTreeView>(list);
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    // What the view shows, column by column, with a mark for red entries.
    QStringList shown(const char* list) const
    {
        QStringList out;
        const QAbstractItemModel* m = find<QTreeView>(list)->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            const bool red = m->index(r, 1).data(Qt::ForegroundRole).isValid();
            out.append(m->index(r, 0).data().toString() + QLatin1Char('|')
                + m->index(r, 1).data().toString() + (red ? QStringLiteral("!") : QString()));
        }
        return out;
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    QStringList saved(bool memorized)
    {
        QStringList out;
        for (const ListEntry& e : h.form().databaseEntries(memorized))
            out.append(e.text + (e.red ? QStringLiteral("!") : QString()));
        return out;
    }

    Form1Harness h;
    QString path;
    DBgamen* db = nullptr;
};

} // namespace

TEST_F(DbScreenTest, OpensFilledAndMovesCheckedEntries)
{
    EXPECT_TRUE(db->isVisible());
    EXPECT_TRUE(db->isWindow());
    EXPECT_EQ(shown("sumilist"), (QStringList {"apple|りんご", "dog|犬"}));
    EXPECT_EQ(shown("madalist"), (QStringList {"book|本", "cat|猫!", "egg|卵"}));
    EXPECT_EQ(text("sumikazu"), QStringLiteral("暗記済リスト 2"));
    EXPECT_EQ(text("madakazu"), QStringLiteral("未暗記リスト 3"));
    EXPECT_EQ(db->windowTitle(), QStringLiteral("2単語覚えています"));

    // Space checks the entry under the cursor; the check box click does the same.
    select("madalist", 2);
    press("madalist", Qt::Key_Space);
    select("madalist", 0);
    press("madalist", Qt::Key_Space);
    EXPECT_EQ(h.form().databaseList(false).checkedCount(), 2);
    click("hidariidou");
    EXPECT_EQ(shown("sumilist"), (QStringList {"apple|りんご", "dog|犬", "book|本", "egg|卵"}));
    EXPECT_EQ(shown("madalist"), QStringList {"cat|猫!"});
    EXPECT_EQ(find<QTreeView>("sumilist")->currentIndex().row(), 3);
    EXPECT_EQ(h.form().databaseList(false).checkedCount(), 0);
    EXPECT_EQ(text("sumikazu"), QStringLiteral("暗記済リスト 4"));
    EXPECT_EQ(text("madakazu"), QStringLiteral("未暗記リスト 1"));
    EXPECT_EQ(db->windowTitle(), QStringLiteral("2単語覚えています")); // until the next fill

    // The selected entry alone when nothing is checked; red travels with it.
    select("madalist", 0);
    click("hidariidou");
    EXPECT_EQ(shown("madalist"), QStringList {});
    EXPECT_EQ(
        saved(true), (QStringList {"apple,りんご", "dog,犬", "book,本", "egg,卵", "cat,猫!"}));
    select("sumilist", 0);
    click("migiidou");
    EXPECT_EQ(saved(false), QStringList {"apple,りんご"});

    // The database command does nothing while the screen is shown.
    h.find<QToolButton>("DBbtn")->click();
    EXPECT_EQ(h.form().databaseList(true).count(), 4);
    // A load while it is shown fills it from the file again, once the user has said the
    // moves may go.
    h.platform.messageAnswers.push_back(MessageResult::No);
    h.open(path);
    EXPECT_EQ(h.platform.messages.back().buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(saved(true), (QStringList {"apple,りんご", "dog,犬"}));
    EXPECT_EQ(saved(false), (QStringList {"book,本", "cat,猫!", "egg,卵"}));
    EXPECT_EQ(text("madakazu"), QStringLiteral("未暗記リスト 3"));
}

TEST_F(DbScreenTest, NeedsCheckMarksReachTheSavedLists)
{
    DbListModel& right = h.form().databaseList(false);
    click("Redbtn"); // nothing checked: nothing changes
    EXPECT_EQ(saved(false), (QStringList {"book,本", "cat,猫!", "egg,卵"}));
    right.setData(right.index(0, 0), Qt::Checked, Qt::CheckStateRole);
    right.setData(right.index(1, 0), Qt::Checked, Qt::CheckStateRole);
    click("Redbtn");
    EXPECT_EQ(shown("madalist"), (QStringList {"book|本!", "cat|猫", "egg|卵"}));
    EXPECT_EQ(saved(false), (QStringList {"book,本!", "cat,猫", "egg,卵"}));
    EXPECT_EQ(right.checkedCount(), 2);

    select("sumilist", 1);
    db->ToggleRedSelected(true);
    EXPECT_EQ(saved(true), (QStringList {"apple,りんご", "dog,犬!"}));
}

TEST_F(DbScreenTest, CheckAllSwapsItsButtons)
{
    auto* check = find<QToolButton>("madazencheck");
    auto* uncheck = find<QToolButton>("madazencheckhazusi");
    check->click();
    EXPECT_TRUE(check->isHidden());
    EXPECT_FALSE(uncheck->isHidden());
    EXPECT_EQ(h.form().databaseList(false).checkedCount(), 3);
    uncheck->click();
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(uncheck->isHidden());
    EXPECT_EQ(h.form().databaseList(false).checkedCount(), 0);

    // Moving shows the source list's check-all button again.
    check->click();
    click("hidariidou");
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(uncheck->isHidden());
    // An empty list keeps its check-all button.
    check->click();
    EXPECT_FALSE(check->isHidden());
}

TEST_F(DbScreenTest, SearchStepsThroughBothListsWithItsMessages)
{
    auto* box = find<QLineEdit>("Text");
    box->setText(QStringLiteral("E")); // apple, egg; capitals find small letters
    click("ken");
    EXPECT_EQ(find<QTreeView>("sumilist")->currentIndex().row(), 0);
    EXPECT_TRUE(h.platform.messages.empty());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(find<QTreeView>("madalist")->currentIndex().row(), 2);
    // The hit was the very last entry: the end is told at once.
    ASSERT_EQ(h.platform.messages.size(), 1u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("検索が終了しました。"));
    EXPECT_EQ(h.platform.messages[0].icon, MessageIcon::Information);

    box->setText(QStringLiteral("猫")); // the meaning column
    click("ken");
    EXPECT_EQ(find<QTreeView>("madalist")->currentIndex().row(), 1);
    press("madalist", Qt::Key_Return); // Enter in a list searches on
    ASSERT_EQ(h.platform.messages.size(), 2u);
    EXPECT_EQ(h.platform.messages[1].text, QStringLiteral("検索が終了しました。"));

    box->setText(QStringLiteral("zebra"));
    click("ken");
    ASSERT_EQ(h.platform.messages.size(), 3u);
    EXPECT_EQ(h.platform.messages[2].text, QStringLiteral("検索文字が見つかりません。"));
}

TEST_F(DbScreenTest, SelfTestHidesAColumnAndShowsItUnderTheList)
{
    auto* imi = find<QToolButton>("imi");
    auto* eigo = find<QToolButton>("eigo");
    QTreeView* left = find<QTreeView>("sumilist");
    imi->click();
    EXPECT_EQ(left->columnWidth(1), twipsToPixels(50));
    select("sumilist", 1);
    db->ShowHiddenColumn(true);
    EXPECT_EQ(text("kaitoulabel"), QStringLiteral("犬"));

    eigo->click();
    EXPECT_FALSE(imi->isChecked());
    EXPECT_EQ(left->columnWidth(0), twipsToPixels(300));
    EXPECT_EQ(text("kaitoulabel"), QString()); // emptied by the switch
    select("madalist", 2);
    QTest::keyRelease(find<QTreeView>("madalist"), Qt::Key_Down);
    EXPECT_EQ(text("kaitoulabelm"), QStringLiteral("egg"));

    eigo->click();
    EXPECT_EQ(left->columnWidth(0), twipsToPixels(1600));
}

// A screen reader switches the self-tests through their accessible toggle, not a click:
// the same columns hide, and only one of the two is ever on.
TEST_F(DbScreenTest, SelfTestSwitchesWorkThroughAccessibilityAndStayExclusive)
{
    auto* imi = find<QToolButton>("imi");
    auto* eigo = find<QToolButton>("eigo");
    QTreeView* left = find<QTreeView>("sumilist");
    QTreeView* right = find<QTreeView>("madalist");
    auto toggle = [](QToolButton* b) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(a->actionInterface(), nullptr);
        ASSERT_TRUE(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::toggleAction()));
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        toggle(imi);
        EXPECT_TRUE(imi->isChecked());
        EXPECT_EQ(left->columnWidth(1), twipsToPixels(50));
        EXPECT_EQ(right->columnWidth(1), twipsToPixels(50));
        toggle(eigo);
        EXPECT_TRUE(eigo->isChecked());
        EXPECT_FALSE(imi->isChecked());
        EXPECT_EQ(left->columnWidth(0), twipsToPixels(300));
        EXPECT_EQ(right->columnWidth(0), twipsToPixels(300));
        toggle(imi);
        EXPECT_TRUE(imi->isChecked());
        EXPECT_FALSE(eigo->isChecked());
        EXPECT_EQ(left->columnWidth(1), twipsToPixels(50));
        toggle(imi);
        EXPECT_FALSE(imi->isChecked());
        EXPECT_FALSE(eigo->isChecked());
        EXPECT_EQ(left->columnWidth(0), twipsToPixels(1600));
        EXPECT_EQ(right->columnWidth(0), twipsToPixels(1600));
    }
}

TEST_F(DbScreenTest, CtrlSpeaksTheSelectedQuestionThroughTheRepeatButton)
{
    // The repeat button speaks only once an item is on show.
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(10);
    const qsizetype before = h.speech.spoken.size();
    select("madalist", 1);
    press("madalist", Qt::Key_Control);
    ASSERT_EQ(h.speech.spoken.size(), before + 1);
    EXPECT_EQ(h.speech.spoken.last(), QStringLiteral("cat"));
}

// Chooses a popup item by its name once the popup is up, and opens it with the right
// button in a list.
void choosePopupItem(QTreeView* view, const char* item)
{
    QTimer::singleShot(0, [item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (a->objectName() == QLatin1String(item)) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        FAIL() << item;
    });
    emit view->customContextMenuRequested(QPoint(5, 5));
}

TEST_F(DbScreenTest, ListPopupActsOnTheListItCameFrom)
{
    // A GET entry that the popup's own GET commands would have changed.
    h.form().getList().append(QStringLiteral("zoo,動物園"), QStringLiteral(","), false);
    select("sumilist", 1);
    choosePopupItem(find<QTreeView>("sumilist"), "mlistred");
    EXPECT_EQ(saved(true), (QStringList {"apple,りんご", "dog,犬!"}));
    EXPECT_FALSE(h.form().getList().isRed(0));

    h.form().databaseList(true).setChecked(0, true);
    choosePopupItem(find<QTreeView>("sumilist"), "mlistritu");
    EXPECT_EQ(h.action("mlistritu")->text(), QStringLiteral("チェック数と忘却率(&C)"));
    choosePopupItem(find<QTreeView>("madalist"), "mlistritu");
    EXPECT_EQ(h.action("mlistritu")->text(), QStringLiteral("チェック数と正解率(&C)"));
    ASSERT_EQ(h.platform.messages.size(), 2u);
    EXPECT_EQ(h.platform.messages[0].text, QStringLiteral("チェック数\u30001\r\n忘却率\u300050％"));
    EXPECT_EQ(h.platform.messages[1].text, QStringLiteral("チェック数\u30000\r\n正解率\u30000％"));
    // The GET list's own popup names its rate afresh: outside a test, checked is forgotten.
    choosePopupItem(h.find<QTreeView>("Picklist"), "mlistritu"); // a popup that does not wait
    ASSERT_TRUE(QTest::qWaitFor([this] { return h.platform.messages.size() == 3; }));
    EXPECT_EQ(h.platform.messages[2].text, QStringLiteral("チェック数\u30000\r\n忘却率\u30000％"));
}

TEST_F(DbScreenTest, WidenRestoreAndTheLowestHeight)
{
    click("sumiMax");
    EXPECT_FALSE(find<QTreeView>("madalist")->isVisible());
    EXPECT_FALSE(find<QToolButton>("sumiMoto")->isHidden());
    EXPECT_TRUE(find<QToolButton>("sumiMax")->isHidden());
    click("sumiMoto");
    EXPECT_TRUE(find<QTreeView>("madalist")->isVisible());
    EXPECT_TRUE(find<QToolButton>("sumiMoto")->isHidden());

    db->resize(db->width(), 100);
    EXPECT_EQ(db->height(), twipsToPixels(4400));

    // Kept on top with the main screen when the user asked for it.
    h.action("mmae")->trigger();
    h.platform.topmostCalls.clear();
    db->resize(db->width() + 10, db->height());
    ASSERT_FALSE(h.platform.topmostCalls.empty());
    EXPECT_EQ(h.platform.topmostCalls.back(), std::make_pair(static_cast<QWidget*>(db), true));
}

TEST_F(DbScreenTest, ReopenedFromEitherMenuTheScreenIsFilledAgain)
{
    select("sumilist", 0);
    click("migiidou");
    h.platform.messageAnswers.push_back(MessageResult::No); // the move is let go
    db->close();
    h.action("mdDB")->trigger();
    EXPECT_EQ(h.form().databaseScreen(), db); // made once and kept
    EXPECT_TRUE(db->isVisible());
    EXPECT_EQ(saved(true), (QStringList {"apple,りんご", "dog,犬"}));
    db->close();
    select("sumilist", 0);
    click("migiidou");
    h.action("mDB")->trigger();
    EXPECT_EQ(saved(true), (QStringList {"apple,りんご", "dog,犬"}));
    EXPECT_EQ(text("madakazu"), QStringLiteral("未暗記リスト 3"));
}

TEST(DbScreenEmpty, KeysButtonsAndSearchOnAnEmptyListDoNothing)
{
    Form1Harness h;
    h.start();
    const QString path = h.path("notyet.txt");
    writeBytes(path, sjis(QStringLiteral("book,本\r\ncat,猫\r\n")));
    h.open(path);
    h.find<QToolButton>("DBbtn")->click();
    DBgamen* db = h.form().databaseScreen();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->windowTitle(), QStringLiteral("覚えている単語はありません"));
    QTreeView* left = db->sumilist();
    left->setFocus();
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Control, Qt::Key_Return, Qt::Key_Down})
        QTest::keyClick(left, key);
    db->findChild<QToolButton*>("imi")->click();
    db->ShowHiddenColumn(true);
    db->ToggleRedSelected(true);
    db->findChild<QToolButton*>("migiidou")->click();
    db->findChild<QToolButton*>("sumizencheck")->click();
    db->findChild<QToolButton*>("Redbtn")->click();
    EXPECT_FALSE(db->findChild<QToolButton*>("sumizencheck")->isHidden());
    EXPECT_TRUE(h.platform.messages.empty()); // an empty search text searches nothing
    EXPECT_TRUE(h.speech.spoken.isEmpty());
    EXPECT_EQ(h.form().databaseList(true).count(), 0);
    EXPECT_EQ(h.form().databaseList(false).count(), 2);
    EXPECT_EQ(db->findChild<QLabel*>("kaitoulabel")->text(), QString());
    for (const ListEntry& e : h.form().databaseEntries(false))
        EXPECT_FALSE(e.red || e.checked);
}

// The user's marks land in the file: moved and red entries, saved twice in a row.
TEST_F(DbScreenTest, SaveWritesTheListsMarksIntoTheFileAndReloads)
{
    DbListModel& right = h.form().databaseList(false);
    right.setData(right.index(0, 0), Qt::Checked, Qt::CheckStateRole); // book
    click("hidariidou"); // to the memorized list
    select("madalist", 0); // cat
    db->ToggleRedSelected(false);
    click("sumihozon");
    const QByteArray once = sjis(
        QStringLiteral("apple,りんご,,○\r\nbook,本,,○\r\ncat,猫\r\ndog,犬,,○\r\negg,卵\r\n"));
    EXPECT_EQ(readBytes(path), once);
    EXPECT_TRUE(h.form().windowTitle().contains(QStringLiteral("未2 覚3")))
        << h.form().windowTitle().toStdString();
    EXPECT_EQ(shown("sumilist").size(), 3); // refilled from the saved file
    click("sumihozon");
    EXPECT_EQ(readBytes(path), once);
    EXPECT_TRUE(h.platform.messages.empty());
}

TEST_F(DbScreenTest, TheListFontIsChosenKeptAndFollowsAlwaysOnTop)
{
    QFont chosen(QStringLiteral("Noto Sans CJK JP"), 14);
    chosen.setBold(true);
    h.platform.fontAnswers.push_back(std::nullopt); // cancelled: nothing changes
    h.platform.fontAnswers.push_back(chosen);
    click("Fontbtn");
    EXPECT_EQ(SettingsStore::ReadValue("DFONTSIZE", "FORM", h.settingsPath()), "9");
    click("Fontbtn");
    ASSERT_EQ(h.platform.fontRequests.size(), 2u);
    EXPECT_EQ(h.platform.fontRequests[0].pointSize(), 9); // preset with the current font
    EXPECT_EQ(SettingsStore::ReadValue("DFONTSIZE", "FORM", h.settingsPath()), "14");
    EXPECT_EQ(SettingsStore::ReadValue("DFONTBOLD", "FORM", h.settingsPath()), "True");
    EXPECT_EQ(find<QTreeView>("sumilist")->font().pointSize(), 14);

    h.platform.topmostCalls.clear();
    for (bool on : {true, false}) {
        h.action("mmae")->trigger();
        EXPECT_EQ(h.platform.topmostCalls.back(), std::make_pair<QWidget*>(db, on));
    }
}

namespace {

// The screen alone on virtual time, as a finished test shows it.
class ResultPanelTest : public ::testing::Test {
protected:
    QLabel* label(const char* name) const
    {
        auto* l = db.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(l, nullptr) << name;
        return l;
    }
    QFrame* panel() const { return db.resultPanel(); }
    int coverTop() const { return label("DownL")->y(); }

    FakePlatform platform;
    VirtualClock clock;
    VirtualTimerFactory timers {clock};
    DbListModel lists[2];
    DBgamen db {lists[0], lists[1], platform, timers, {}};
};

const QString kResultTitle = QStringLiteral("以下の内容でよろしければ保存してください");

} // namespace

TEST_F(ResultPanelTest, CoverSlidesTenTwipsATickOnceAndIsNeverPutBack)
{
    db.show();
    db.showAsResults();
    EXPECT_EQ(label("DownL")->geometry(), panel()->rect()); // the whole panel covered
    timers.advance(30);
    EXPECT_EQ(coverTop(), 2); // 30 twips
    timers.advance(120);
    EXPECT_EQ(coverTop(), 10); // 150 twips

    // A resize lays the panel out again but leaves the cover where it is.
    db.resize(db.width() + 45, db.height());
    EXPECT_EQ(coverTop(), 10);
    EXPECT_EQ(label("DownL")->width(), panel()->width());

    timers.advance(10000);
    const int stopped = coverTop();
    EXPECT_GE(stopped, panel()->height());
    EXPECT_LE(stopped, panel()->height() + 1);

    // Shown again: one tick finds the cover past the panel and stops.
    db.showAsDatabase();
    db.showAsResults();
    timers.advance(10);
    const int again = coverTop();
    EXPECT_GE(again, stopped);
    EXPECT_LE(again, stopped + 1);
    timers.advance(1000);
    EXPECT_EQ(coverTop(), again);
}

TEST_F(ResultPanelTest, ScoreAndCommentReachTheLabelsAndTheTitle)
{
    db.updateTitle();
    const QString before = db.windowTitle();
    db.ChooseResultComment(0, 0, 3); // no answer given: nothing changes
    EXPECT_EQ(db.windowTitle(), before);
    EXPECT_EQ(label("Lcoment")->text(), QString());

    db.setResultScore({QStringLiteral("要チェックテスト結果 3問"), 2, 1, 66});
    EXPECT_EQ(label("Lrange")->text(), QStringLiteral("要チェックテスト結果 3問"));
    EXPECT_EQ(label("Lseikai")->text(), QStringLiteral("2"));
    EXPECT_EQ(label("Lmatigai")->text(), QStringLiteral("1"));
    EXPECT_EQ(label("Lritu")->text(), QStringLiteral("66"));
    db.ChooseResultComment(66, 3, 3);
    EXPECT_EQ(db.windowTitle(), kResultTitle);
    EXPECT_EQ(label("Lcoment")->text(), QStringLiteral("この調子なら暗記数が増えていくよ！"));

    db.setWindowTitle(before);
    db.ChooseResultComment(101, 3, 3); // not a rate: the comment stays, the title is set
    EXPECT_EQ(label("Lcoment")->text(), QStringLiteral("この調子なら暗記数が増えていくよ！"));
    EXPECT_EQ(db.windowTitle(), kResultTitle);
    db.clearResultComment();
    EXPECT_EQ(label("Lcoment")->text(), QString());
}

// At the designed window size every label of the panel shows its whole text, none covers
// another, and the lists start below the panel.
TEST_F(ResultPanelTest, LabelsFitSideBySideAtTheDesignSize)
{
    db.show();
    EXPECT_EQ(db.size(), QSize(twipsToPixels(11400), twipsToPixels(7200)));
    auto* mainpic = db.findChild<QFrame*>(QStringLiteral("mainpic"));
    EXPECT_EQ(mainpic->y(), twipsToPixels(1050));
    EXPECT_FALSE(panel()->isVisible());

    db.showAsResults();
    ASSERT_TRUE(panel()->isVisible());
    EXPECT_FALSE(db.findChild<QFrame*>(QStringLiteral("barpic"))->isVisible());
    EXPECT_EQ(mainpic->y(), twipsToPixels(2600));
    EXPECT_FALSE(mainpic->geometry().intersects(panel()->geometry()));

    db.setResultScore({QStringLiteral("要チェックテスト結果 20000問"), 20000, 20000, 100});
    for (const int rate : {0, 20, 40, 60, 80, 90, 100}) {
        db.ChooseResultComment(rate, 20000, rate == 100 ? 20000 : 40000);
        panel()->layout()->activate();
        QList<QLabel*> shown;
        for (QLabel* l : panel()->findChildren<QLabel*>()) {
            if (l->objectName() != QLatin1String("DownL"))
                shown.append(l);
        }
        ASSERT_EQ(shown.size(), 9); // five named labels and four captions
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QLabel* a = shown[i];
            const QString what = a->objectName() + QLatin1Char(' ') + a->text();
            EXPECT_TRUE(a->isVisible()) << what.toStdString();
            EXPECT_TRUE(panel()->rect().contains(a->geometry())) << what.toStdString();
            EXPECT_GE(a->width(), a->sizeHint().width()) << what.toStdString();
            EXPECT_GE(a->height(), a->sizeHint().height()) << what.toStdString();
            for (qsizetype k = i + 1; k < shown.size(); ++k)
                EXPECT_FALSE(a->geometry().intersects(shown[k]->geometry()))
                    << what.toStdString() << " / " << shown[k]->text().toStdString();
        }
    }
}

// The font dialog opens from a database screen put above the windows that stay on top:
// the stick strip, the external GET screen and the palette kept on top; not otherwise.
TEST_F(DbScreenTest, TheFontDialogComesAboveEveryToolWindowOnTop)
{
    const struct {
        const char* shown;
        bool raised;
    } cases[] = {{"nothing", false}, {"stick", true}, {"external", true}, {"palette", true},
        {"palette not on top", false}};
    for (const auto& c : cases) {
        const std::string shown = c.shown;
        if (shown == "stick")
            h.action("mbou")->trigger();
        if (shown == "external")
            h.form().MoveGetListOut();
        if (shown.starts_with("palette")) {
            h.action("mtexthatuon")->trigger();
            auto* p = h.form().findChild<QWidget*>("texthatuongamen");
            ASSERT_NE(p, nullptr);
            p->findChild<QCheckBox*>("Check1")->setChecked(shown == "palette");
        }
        for (int round = 0; round < 2; ++round) {
            h.platform.topmostCalls.clear();
            h.platform.fontAnswers.push_back(std::nullopt);
            click("Fontbtn");
            const auto raised = std::make_pair<QWidget*, bool>(db, true);
            EXPECT_EQ(
                std::count(h.platform.topmostCalls.begin(), h.platform.topmostCalls.end(), raised),
                c.raised ? 1 : 0)
                << c.shown << " " << round;
        }
        if (shown == "stick")
            h.action("mbou")->trigger();
        if (shown == "external")
            h.form().MoveGetListIn();
        if (shown.starts_with("palette"))
            h.form().findChild<QWidget*>("texthatuongamen")->close();
    }
}

// Moving the last entry leaves the entry now last selected in the list it left, twice in
// a row and in both directions, and no selection once that list is empty; moving checked
// entries with the last one selected leaves a row that exists selected.
TEST_F(DbScreenTest, MovingTheLastEntrySelectsARowThatExists)
{
    auto current = [this](const char* list) {
        const QModelIndex at = find<QTreeView>(list)->currentIndex();
        return at.isValid() ? at.row() : -1;
    };
    select("madalist", 2);
    click("hidariidou");
    EXPECT_EQ(shown("madalist"), (QStringList {"book|本", "cat|猫!"}));
    EXPECT_EQ(current("madalist"), 1);
    EXPECT_EQ(current("sumilist"), 2);
    click("hidariidou"); // the selection left behind moves next
    EXPECT_EQ(shown("madalist"), QStringList {"book|本"});
    EXPECT_EQ(current("madalist"), 0);
    EXPECT_EQ(shown("sumilist"), (QStringList {"apple|りんご", "dog|犬", "egg|卵", "cat|猫!"}));
    click("hidariidou");
    EXPECT_TRUE(shown("madalist").isEmpty());
    EXPECT_EQ(current("madalist"), -1);
    EXPECT_EQ(current("sumilist"), 4);

    click("migiidou"); // the other way: the last of the memorized list, selected above
    EXPECT_EQ(shown("madalist"), QStringList {"book|本"});
    EXPECT_EQ(current("sumilist"), 3);
    click("migiidou");
    EXPECT_EQ(current("sumilist"), 2);
    EXPECT_EQ(shown("madalist"), (QStringList {"book|本", "cat|猫!"}));

    // Checked entries, the last among them and selected: what stays is selected.
    select("sumilist", 2);
    for (int row : {0, 2}) {
        select("sumilist", row);
        press("sumilist", Qt::Key_Space);
    }
    ASSERT_EQ(h.form().databaseList(true).checkedCount(), 2);
    click("migiidou");
    EXPECT_EQ(shown("sumilist"), QStringList {"dog|犬"});
    EXPECT_EQ(current("sumilist"), 0);
    EXPECT_EQ(current("madalist"), 3);
    EXPECT_EQ(text("sumikazu"), QStringLiteral("暗記済リスト 1"));
    EXPECT_EQ(text("madakazu"), QStringLiteral("未暗記リスト 4"));
}
