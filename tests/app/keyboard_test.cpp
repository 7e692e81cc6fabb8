#include "database/dbgamen.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "quiz/testdialog.h"
#include "support/harness.h"
#include "ui/hozongamen.h"
#include "ui/propertiesdialog.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
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

// A key where the user presses it: on the control with the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
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

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ,,○\r\n")));
        h.open(path);
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
    const TestSetupInput setup {true, false, QStringLiteral("7"), QStringLiteral("10"),
        QStringLiteral("500"), 12, 8, 4};
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
}

// From the keyboard alone: Tab to スタート, Space; Enter takes the word into the GET list,
// Delete pauses.
TEST_F(Keyboard, AStudyFromTheKeyboard)
{
    activate(&h.form());
    h.find<QWidget>("Openbtn")->setFocus(Qt::TabFocusReason);
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
