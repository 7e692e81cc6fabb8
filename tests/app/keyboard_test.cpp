#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "quiz/testdialog.h"
#include "support/harness.h"
#include "ui/hozongamen.h"
#include "ui/propertiesdialog.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace keruna;
using namespace keruna::test;

namespace {

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// The names Tab visits from first until it comes round to first again.
QStringList tabWalk(QWidget* window, const QString& first)
{
    activate(window);
    QWidget* start = window->findChild<QWidget*>(first);
    if (!start)
        return {QStringLiteral("no ") + first};
    start->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 80; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || (i > 0 && focus == start))
            break;
        visited.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return visited;
}

// A key where the user presses it: on an open menu, else on the control with the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

// Tab until the named control has the focus (at most one round).
void tabTo(const QString& name)
{
    for (int i = 0; i < 80; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (focus->objectName() == name)
            return;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    FAIL() << "Tab never reaches " << name.toStdString();
}

// Answers the modal dialog that the next step opens, with keys. A dialog the keys leave
// open is closed, so that the test fails instead of waiting for ever.
void whenDialogOpens(std::function<void()> keys)
{
    QTimer::singleShot(0, [keys] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            ADD_FAILURE() << "no dialog opened";
            return;
        }
        // The offscreen platform does not activate a new window as a window system does.
        activate(dialog);
        if (!::testing::Test::HasFatalFailure())
            keys();
        if (auto* still = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << still->objectName().toStdString() << " stays open";
            still->reject();
        }
    });
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ,,○\r\n")));
        h.open(path);
    }
    // The main screen active with the focus on its first control. Also after a menu: the
    // offscreen platform leaves a closed menu as the active window, where a window system
    // gives the activation back.
    void backToMainScreen()
    {
        activate(&h.form());
        h.find<QWidget>("Openbtn")->setFocus(Qt::TabFocusReason);
    }
    Form1Harness h;
    QString path;
};

} // namespace

// Every screen in the order it stands: rows top to bottom, each left to right. The order
// buttons ランダム/昇順 are one stop (the arrows choose within), and stay one after a load.
TEST_F(Keyboard, TabVisitsEachScreenInTheOrderItStands)
{
    struct Screen {
        const char* name;
        std::function<QWidget*()> open;
        QStringList order;
    };
    const TestSetupInput setup {
        true, false, QStringLiteral("7"), QStringLiteral("10"), QStringLiteral("500"), 12, 8, 4};
    std::unique_ptr<QWidget> owned;
    const Screen screens[] = {
        {"main screen", [&] { return static_cast<QWidget*>(&h.form()); },
            {"Openbtn", "Startbtn", "Fteisibtn", "TESTbtn", "DBbtn", "Pickbtn", "testvoice",
                "sakuseibtn", "webdicbtn", "Texthatuonbtn", "irobtn", "Pptbtn", "boubtn",
                "Focusbtn", "Seccom", "Sizecom", "hiritu", "takasacom", "dakecom", "Rndop_0",
                "Revch", "Spkch", "Douzich", "typec", "iroch"}},
        {"database screen",
            [&] {
                h.form().openDatabaseScreen();
                return static_cast<QWidget*>(h.form().databaseScreen());
            },
            {"Text", "ken", "imi", "eigo", "Redbtn", "Fontbtn", "chexp", "sumihozon",
                "sumizencheck", "sumiMax", "sumilist", "migiidou", "hidariidou", "madazencheck",
                "madaMax", "madalist"}},
        {"test set-up",
            [&] {
                owned = std::make_unique<Dialog>(setup, h.settingsPath(), h.platform);
                return owned.get();
            },
            {"zidoutestop", "Revch", "yosouop", "Rndop_0", "kikitorich", "dakecom", "Seccom",
                "Madaop", "OKButton", "CancelButton"}},
        {"properties", [&] { return static_cast<QWidget*>(&h.form().properties()); },
            {"qt_tabwidget_tabbar", "screentextch", "nysecch", "marunextch", "KankakuCB_0",
                "KankakuCB_1", "KankakuCB_2", "Longch", "Kkiteibtn", "cmdOK", "cmdCancel",
                "cmdApply"}},
        {"save method",
            [&] {
                owned = std::make_unique<hozongamen>(hozongamen::Panel::SaveMethod);
                return owned.get();
            },
            {"Uwagakiop", "OK", "Cancel"}},
        {"external GET screen",
            [&] {
                owned = std::make_unique<Pickgamen>(h.form());
                return owned.get();
            },
            {"listmaru", "listmodosi", "listSkipbtn", "listteisi", "listhozon", "Picktest",
                "gPickzencheck", "naibubtn", "typec", "iroch", "Picklist"}},
    };
    for (const Screen& s : screens) {
        SCOPED_TRACE(s.name);
        QWidget* window = s.open();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(tabWalk(window, s.order.first()), s.order);
        window->hide();
    }

    // The GET panel inside the main screen (where Tab is a study key): its focus chain
    // goes as the external screen's, ○ first.
    h.form().show();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    QWidget* panel = h.find<QWidget>("Pickframe");
    ASSERT_TRUE(panel->isVisible());
    QStringList chain;
    QWidget* w = h.find<QWidget>("listmaru");
    for (int i = 0; i < 400 && chain.size() < 6; ++i, w = w->nextInFocusChain()) {
        if (panel->isAncestorOf(w) && w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
            chain.append(w->objectName());
    }
    EXPECT_EQ(chain,
        (QStringList {
            "listmaru", "listmodosi", "listSkipbtn", "listhozon", "Picktest", "nPickzencheck"}));
}

// From the keyboard alone: Tab to スタート, Space; Enter takes the word into the GET list,
// Delete pauses.
TEST_F(Keyboard, AStudyFromTheKeyboard)
{
    backToMainScreen();
    tabTo("Rndop_0");
    press(Qt::Key_Right); // 昇順
    EXPECT_TRUE(h.find<QWidget>("Rndop_1")->hasFocus());
    tabTo("Startbtn");
    press(Qt::Key_Space);
    h.timers.advance(1);
    EXPECT_EQ(h.find<QLabel>("Label1")->text(), "apple");
    press(Qt::Key_Return);
    EXPECT_TRUE(h.form().getList().contains(QStringLiteral("apple,りんご")));
    press(Qt::Key_Delete);
    EXPECT_TRUE(h.action("mteisi")->isChecked());
}

// Alt and a caption's underlined letter open that menu of the menu bar; Escape closes it.
TEST_F(Keyboard, AltAndTheUnderlinedLetterOpenEachMenu)
{
    const std::pair<Qt::Key, const char*> menus[] = {{Qt::Key_F, "mfile"}, {Qt::Key_T, "mhensyuu"},
        {Qt::Key_O, "msyosiki"}, {Qt::Key_W, "mhyouzi"}, {Qt::Key_H, "mhelp"}};
    for (const auto& [key, name] : menus) {
        SCOPED_TRACE(name);
        backToMainScreen();
        press(key, Qt::AltModifier);
        QWidget* open = QApplication::activePopupWidget();
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->objectName(), name);
        press(Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

// The database screen from the menu (Alt+F, M), an entry checked with Space, marked
// needs-check and moved to the memorized list with its buttons, saved with the save
// button: the file takes exactly the marks, every other byte as it was.
TEST_F(Keyboard, ADatabaseSaveFromTheKeyboard)
{
    // りんご, 本, ねこ and ○ in code page 932; the wave dash 0x8160 stays as read.
    const QByteArray bytes = "apple,\x82\xe8\x82\xf1\x82\xb2\r\n"
                             "book,\x96\x7b\x81\x60\r\n"
                             "cat,\x82\xcb\x82\xb1,,\x81\x9b\r\n";
    writeBytes(path, bytes);
    h.open(path);
    backToMainScreen();
    press(Qt::Key_F, Qt::AltModifier);
    press(Qt::Key_M);
    DBgamen* db = h.form().databaseScreen();
    ASSERT_TRUE(db && db->isVisible());
    activate(db);
    tabTo("madalist");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    tabTo("Redbtn");
    press(Qt::Key_Space);
    tabTo("hidariidou");
    press(Qt::Key_Space);
    tabTo("sumihozon");
    press(Qt::Key_Space);
    EXPECT_EQ(readBytes(path),
        QByteArray("apple,\x82\xe8\x82\xf1\x82\xb2\r\n"
                   "book,\x96\x7b\x81\x60,\x90\xd4\x81\x9b\r\n"
                   "cat,\x82\xcb\x82\xb1,,\x81\x9b\r\n"));
    EXPECT_TRUE(h.platform.messages.empty());
}

// A manual test over the whole list from the keyboard: Tab to テスト and Space, the set-up
// answered with arrows and Enter, each item judged with the keys the hint line names, the
// results saved from the result lists with the method asked by keys as well.
TEST_F(Keyboard, ATestFromTheKeyboard)
{
    backToMainScreen();
    whenDialogOpens([] {
        tabTo("zidoutestop");
        press(Qt::Key_Right); // 手動進行
        tabTo("Rndop_0");
        press(Qt::Key_Right); // 昇順
        tabTo("Madaop");
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        press(Qt::Key_Right); // 全体テスト
        press(Qt::Key_Return);
    });
    tabTo("TESTbtn");
    press(Qt::Key_Space);
    ASSERT_TRUE(h.form().state().testmode);
    // The window system hands the activation back when the dialog closes; the test put
    // the focus on the GET list, where the keys below are pressed.
    activate(&h.form());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Picklist");
    const auto label = [&](const char* name) { return h.find<QLabel>(name)->text(); };
    EXPECT_EQ(label("testKEKKAlabel_1"),
        QStringLiteral("CHECK,○はEnter  ×,レはBS  答Tab  次Shift+Enter"));
    EXPECT_EQ(label("Label1"), "apple");
    press(Qt::Key_Return); // 答えの確認
    EXPECT_EQ(label("Label2"), QStringLiteral("りんご"));
    press(Qt::Key_Return); // ○
    EXPECT_EQ(label("Label1"), "book");
    press(Qt::Key_Return);
    press(Qt::Key_Backspace); // ×
    EXPECT_EQ(label("Label1"), "cat");
    press(Qt::Key_Return, Qt::ShiftModifier); // skipped: wrong
    h.timers.advance(1400);
    EXPECT_FALSE(h.form().state().testmode);
    EXPECT_EQ(label("testKEKKAlabel_0"), QStringLiteral("○ 1  × 2  正解率 33％"));

    // The result lists: saved with the method that wrongs all but the right answers.
    DBgamen* db = h.form().databaseScreen();
    ASSERT_TRUE(db && db->isVisible());
    activate(db);
    const QString saved = h.path("saved.txt");
    h.platform.saveAnswers.push_back(saved);
    whenDialogOpens([] {
        press(Qt::Key_Down); // 正解データ以外は全て不正解に置き換えます
        press(Qt::Key_Return);
    });
    tabTo("sumihozon");
    press(Qt::Key_Space);
    ASSERT_EQ(h.platform.saveRequests.size(), 1u);
    EXPECT_EQ(h.platform.saveRequests[0].title,
        QStringLiteral("【保存説明】※注意：正解データ以外は全て不正解に置き換えます。"));
    // りんご, 本, ねこ and ○ in code page 932.
    EXPECT_EQ(readBytes(saved),
        QByteArray("apple,\x82\xe8\x82\xf1\x82\xb2,,\x81\x9b\r\n"
                   "book,\x96\x7b\r\n"
                   "cat,\x82\xcb\x82\xb1\r\n"));
}
