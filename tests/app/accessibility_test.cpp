#include "app/form1.h"
#include "app/stickcontroller.h"
#include "database/dbgamen.h"
#include "exchange/exportdialog.h"
#include "exchange/importdialog.h"
#include "getlist/getlist.h"
#include "getlist/pickgamen.h"
#include "history/historywindow.h"
#include "quiz/testdialog.h"
#include "study/stickscreen.h"
#include "support/harness.h"
#include "ui/accessiblenames.h"
#include "ui/hozongamen.h"
#include "ui/propertiesdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// What a user reaches on this window with the keyboard or the mouse: its buttons, boxes,
// fields and lists, and any other widget that takes the focus. Labels only show text.
QList<QWidget*> reachableControls(QWidget* window)
{
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled())
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
            || (w->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel*>(w)))
            out.append(w);
    }
    return out;
}

// Every reachable control of the window without a name, with its class; empty when all
// are named.
QStringList unnamedControls(QWidget* window)
{
    QStringList out;
    for (QWidget* w : reachableControls(window)) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        // A box is named for what it sets; its value is not a name ("2", "50").
        const bool valueAsName = qobject_cast<QComboBox*>(w)
            && iface->text(QAccessible::Name) == iface->text(QAccessible::Value);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty() || valueAsName)
            out.append(QStringLiteral("%1 (%2)").arg(
                w->objectName(), QString::fromLatin1(w->metaObject()->className())));
    }
    return out;
}

// The window is a window or a dialog to a screen reader, named, and every control on it
// has a name.
void expectAccessible(QWidget* window, const std::string& state)
{
    ASSERT_NE(window, nullptr) << state;
    ASSERT_TRUE(window->isVisible()) << state;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    ASSERT_NE(iface, nullptr) << state;
    EXPECT_TRUE(iface->role() == QAccessible::Window || iface->role() == QAccessible::Dialog)
        << state << ": role " << iface->role();
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << state;
    EXPECT_GE(reachableControls(window).size(), 1) << state;
    EXPECT_EQ(unnamedControls(window).join(u'\n').toStdString(), "") << state;
}

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\n")));
        h.open(path);
        h.find<QRadioButton>("Rndop_1")->setChecked(true);
    }
    void startTest(TestKind kind, bool typed)
    {
        TestChoice choice;
        choice.kind = kind;
        choice.typedInput = typed;
        choice.random = false;
        choice.rangeIndex = 3;
        choice.seconds = QStringLiteral("2");
        choice.lowest = QStringLiteral("0");
        choice.highest = QStringLiteral("10");
        h.form().chooseTestSetup = [choice](const TestSetupInput&) { return choice; };
        if (h.form().resultsUnsaved())
            h.platform.messageAnswers.push_back(MessageResult::No);
        h.find<QToolButton>("TESTbtn")->click();
        h.timers.advance(1);
    }
    template <class T> T* on(QWidget* window, const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    Form1Harness h;
};

} // namespace

TEST(FirstPhrase, IsTheToolTipUpToItsFirstSpaceKeyHintOrBracket)
{
    const struct {
        const char* toolTip;
        const char* name;
    } cases[] = {
        {"一時停止　※Delete", "一時停止"},
        {"一時停止  ※Delete", "一時停止"},
        {"スキップ ※Shift+Enter", "スキップ"},
        {"フォーカス画面 （文字サイズ比）", "フォーカス画面"},
        {"リストから外す(チェックでまとめて削除)　※Backspace", "リストから外す"},
        {"速度の設定（入力可）", "速度の設定"},
        {"【英訳テスト】  リスト下に選択した単語のスペルを表示します", "英訳テスト"},
        {"全てチェック/解除", "全てチェック/解除"},
        {"Skip question (Shift+Enter)", "Skip question"}, // English: words joined by spaces
        {"[Meaning Test]  Shows the meaning below the list", "Meaning Test"},
        {"※Enter", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstPhrase(QString::fromUtf8(c.toolTip)), QString::fromUtf8(c.name))
            << c.toolTip;
}

TEST_F(Accessibility, MainScreenInEachStateHasEveryControlNamed)
{
    expectAccessible(&h.form(), "loaded");
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    expectAccessible(&h.form(), "studying");
    h.find<QCheckBox>("typec")->click();
    expectAccessible(&h.form(), "studying with typing");
    h.find<QToolButton>("Fteisibtn")->click();
    expectAccessible(&h.form(), "paused");
    h.find<QToolButton>("Focusbtn")->click();
    expectAccessible(&h.form(), "focus screen");
    h.find<QToolButton>("FocusBackbtn")->click();
    for (const TestKind kind : {TestKind::Automatic, TestKind::Manual, TestKind::Number}) {
        for (const bool typed : {false, true}) {
            startTest(kind, typed);
            const std::string state = "test " + std::to_string(int(kind)) + (typed ? " typed" : "");
            ASSERT_TRUE(h.form().state().testmode) << state;
            expectAccessible(&h.form(), state);
            if (kind == TestKind::Manual && !typed) {
                h.find<QToolButton>("syudouKAKUNIN")->click();
                expectAccessible(&h.form(), state + " answer shown");
            }
            h.find<QToolButton>("syuuryoubtn")->click();
            expectAccessible(&h.form(), state + " ended");
            if (DBgamen* results = h.form().databaseScreen(); results && results->isVisible()) {
                expectAccessible(results, state + " result view");
                results->close();
            }
        }
    }
}

TEST_F(Accessibility, EveryOtherScreenIsANamedWindowWithEveryControlNamed)
{
    h.find<QToolButton>("DBbtn")->click();
    DBgamen* db = h.form().databaseScreen();
    expectAccessible(db, "database");
    on<QToolButton>(db, "imi")->click();
    on<QToolButton>(db, "sumiMax")->click();
    expectAccessible(db, "database self-test, list widened");
    db->close();

    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("gaibubtn")->click();
    expectAccessible(h.form().externalScreen(), "external GET screen");
    on<QCheckBox>(h.form().externalScreen(), "typec")->click();
    expectAccessible(h.form().externalScreen(), "external GET screen, typing");
    startTest(TestKind::Manual, false);
    expectAccessible(h.form().externalScreen(), "external GET screen, test");
    h.find<QToolButton>("syuuryoubtn")->click();
    if (h.form().databaseScreen())
        h.form().databaseScreen()->close();
    on<QToolButton>(h.form().externalScreen(), "naibubtn")->click();

    h.action("mtexthatuon")->trigger();
    expectAccessible(h.form().findChild<QWidget*>("texthatuongamen"), "palette");
    h.form().findChild<QWidget*>("texthatuongamen")->close();

    h.action("mrireki")->trigger();
    expectAccessible(h.form().historyWindow(), "history");
    h.form().historyWindow()->close();

    kugirigamen& properties = h.form().properties();
    properties.show();
    auto* tabs = properties.findChild<QTabWidget*>("tbsOptions");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        expectAccessible(&properties, "properties page " + std::to_string(i));
    }
    properties.reject();

    for (const auto panel : {hozongamen::Panel::SaveMethod, hozongamen::Panel::Export}) {
        hozongamen save(panel, &h.form());
        save.show();
        expectAccessible(&save, "save method " + std::to_string(int(panel)));
    }

    TestSetupInput input;
    input.notYetCount = 3;
    Dialog setup(input, h.settingsPath(), h.platform, &h.form());
    setup.show();
    for (const char* kind : {"zidoutestop", "syudoutestop", "suuzitestop"}) {
        on<QRadioButton>(&setup, kind)->click();
        expectAccessible(&setup, std::string("test set-up ") + kind);
    }

    ImportTable table;
    table.rows = {{"a", "b"}};
    ImportDialog import(table, QStringLiteral("deck.txt"), &h.form());
    import.show();
    expectAccessible(&import, "import");
    ExportDialog exporting(
        3, QStringLiteral("【未】"), 1, {{QStringLiteral("暗記済リスト　1語"), true}}, &h.form());
    exporting.show();
    expectAccessible(&exporting, "export");

    // The strip holds no control; it is a named window all the same.
    h.find<QToolButton>("boubtn")->click();
    QWidget* strip = h.form().stick().strip();
    ASSERT_NE(strip, nullptr);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(strip);
    EXPECT_EQ(iface->role(), QAccessible::Window);
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(unnamedControls(strip), QStringList());
}

// A name taken from a tool tip follows the tool tip; a caption stays the name as it changes;
// a name given by hand stays.
TEST_F(Accessibility, NamesFollowToolTipsAndCaptions)
{
    auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    auto* pause = h.find<QToolButton>("Fteisibtn");
    EXPECT_EQ(name(pause), QStringLiteral("一時停止"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pause)->text(QAccessible::Description),
        pause->toolTip());
    for (const char* tip : {"中断　※Enter", "一時停止　※Delete"}) {
        pause->setToolTip(QString::fromUtf8(tip));
        EXPECT_EQ(name(pause), firstPhrase(QString::fromUtf8(tip)));
    }
    auto* list = h.find<QPushButton>("TestListbtn");
    for (const char* caption : {"開始", "停止(&S)"}) {
        list->setText(QString::fromUtf8(caption));
        EXPECT_EQ(name(list), QString::fromUtf8(caption).remove(u'&'));
    }
    // A box says what it is for as its name and its choice as its value; so does its field,
    // which has the focus.
    auto* speed = h.find<QComboBox>("tsec");
    EXPECT_EQ(name(speed), QStringLiteral("速度の設定"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(speed)->text(QAccessible::Value),
        speed->currentText());
    EXPECT_EQ(name(speed->lineEdit()), QStringLiteral("速度の設定"));
    // A box makes its list when first asked: named as it comes, whether a screen reader
    // asks first or the list is shown.
    QAbstractItemView* speeds = speed->view();
    QCoreApplication::processEvents();
    EXPECT_EQ(name(speeds), QStringLiteral("速度の設定"));
    auto* size = h.find<QComboBox>("Sizecom");
    QAbstractItemView* sizes = size->view();
    QCoreApplication::processEvents();
    EXPECT_EQ(name(sizes), QStringLiteral("文字サイズ"));
    auto* seconds = h.find<QComboBox>("Seccom");
    seconds->showPopup();
    EXPECT_EQ(name(seconds->view()), QStringLiteral("表示速度"));
    seconds->hidePopup();
    auto* open = h.find<QToolButton>("Openbtn");
    open->setAccessibleName(QStringLiteral("問題を開く"));
    open->setToolTip(QStringLiteral("別の説明"));
    EXPECT_EQ(name(open), QStringLiteral("問題を開く"));
}

namespace {

enum class Way { Click, AccessibilityAction };

// A screen reader's press: the first action the control offers (Toggle for what can be
// checked, Press otherwise), as an assistive tool lists it.
void pressThroughAccessibility(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    ASSERT_TRUE(iface && iface->actionInterface()) << w->objectName().toStdString();
    const QStringList actions = iface->actionInterface()->actionNames();
    if (!w->isEnabled()) {
        EXPECT_FALSE(actions.contains(QAccessibleActionInterface::pressAction()));
        return;
    }
    ASSERT_FALSE(actions.isEmpty()) << w->objectName().toStdString();
    const QString action = actions.first();
    ASSERT_TRUE(action == QAccessibleActionInterface::pressAction()
        || action == QAccessibleActionInterface::toggleAction())
        << action.toStdString();
    iface->actionInterface()->doAction(action);
    // Qt presses a button as an animated click: it comes up, clicked, a moment later.
    auto* button = qobject_cast<QAbstractButton*>(w);
    QElapsedTimer waited;
    waited.start();
    while (button && button->isDown() && waited.elapsed() < 2000)
        QTest::qWait(10);
}

struct ActionCase {
    const char* what;
    // Brings the program to the state of the case; returns the control to press.
    std::function<QWidget*(Form1Harness&, std::unique_ptr<QWidget>& own)> setup;
    // What the user sees change.
    std::function<QString(Form1Harness&, QWidget* target)> observe;
    int presses = 2;
};

QString checked(const QAbstractButton* b)
{
    return b->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
}

QString checked(const QAction* a)
{
    return a->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
}

void loadAndStudy(Form1Harness& h, bool study)
{
    h.start();
    h.form().show();
    const QString path = h.path("w.txt");
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,ねこ\r\n")));
    h.open(path);
    if (study) {
        h.find<QToolButton>("Startbtn")->click();
        h.timers.advance(1);
    }
}

// What the user sees after the setup and after each press.
QStringList run(const ActionCase& c, Way way)
{
    Form1Harness h;
    std::unique_ptr<QWidget> own;
    QWidget* target = c.setup(h, own);
    if (!target)
        return {QStringLiteral("no control")};
    QStringList seen {c.observe(h, target)};
    for (int i = 0; i < c.presses; ++i) {
        if (way == Way::Click)
            QTest::mouseClick(target, Qt::LeftButton);
        else
            pressThroughAccessibility(target);
        h.timers.advance(1);
        seen.append(c.observe(h, target));
    }
    return seen;
}

} // namespace

// Each button does through its accessibility action what it does when clicked, twice in a
// row: a toggle takes its mirrored twin along, an exclusive pair stays exclusive.
TEST(AccessibilityActions, PressingThroughTheActionIsAClick)
{
    const ActionCase cases[] = {
        {"ランダム/昇順",
            [](Form1Harness& h, auto&) {
                loadAndStudy(h, false);
                return h.find<QWidget>("Rndop_1");
            },
            [](Form1Harness& h, QWidget*) {
                return checked(h.find<QRadioButton>("Rndop_0")) + u' '
                    + checked(h.find<QRadioButton>("Rndop_1")) + u' ' + checked(h.action("mrandom"))
                    + u' ' + checked(h.action("mnormal"));
            }},
        {"逆転 and its menu item",
            [](Form1Harness& h, auto&) {
                loadAndStudy(h, false);
                return h.find<QWidget>("Revch");
            },
            [](Form1Harness& h, QWidget* t) {
                return checked(static_cast<QAbstractButton*>(t)) + u' ' + checked(h.action("mrev"));
            }},
        {"external GET screen's type box and its twin",
            [](Form1Harness& h, auto&) -> QWidget* {
                loadAndStudy(h, true);
                h.find<QToolButton>("gaibubtn")->click();
                return h.form().externalScreen()->findChild<QCheckBox*>("typec");
            },
            [](Form1Harness& h, QWidget* t) {
                return checked(static_cast<QAbstractButton*>(t)) + u' '
                    + checked(h.find<QCheckBox>("typec"));
            }},
        {"palette always on top",
            [](Form1Harness& h, auto&) -> QWidget* {
                loadAndStudy(h, false);
                h.action("mtexthatuon")->trigger();
                return h.form()
                    .findChild<QWidget*>("texthatuongamen")
                    ->findChild<QCheckBox*>("Check1");
            },
            [](Form1Harness& h, QWidget* t) {
                QString calls;
                for (const auto& [window, topmost] : h.platform.topmostCalls)
                    calls += window == t->window() ? (topmost ? u'T' : u'F') : u'.';
                return checked(static_cast<QAbstractButton*>(t)) + u' ' + calls;
            }},
        {"database meaning test",
            [](Form1Harness& h, auto&) -> QWidget* {
                loadAndStudy(h, false);
                h.find<QToolButton>("DBbtn")->click();
                return h.form().databaseScreen()->findChild<QToolButton*>("imi");
            },
            [](Form1Harness& h, QWidget* t) {
                auto* list = h.form().databaseScreen()->findChild<QTreeView*>("madalist");
                return checked(static_cast<QAbstractButton*>(t)) + u' '
                    + QString::number(list->columnWidth(1));
            }},
        {"start",
            [](Form1Harness& h, auto&) {
                loadAndStudy(h, false);
                return h.find<QWidget>("Startbtn");
            },
            [](Form1Harness& h, QWidget*) {
                return h.find<QLabel>("Label1")->text() + u' '
                    + QString::number(h.find<QWidget>("Pickframe")->isVisible());
            }},
        {"pause",
            [](Form1Harness& h, auto&) {
                loadAndStudy(h, true);
                return h.find<QWidget>("Fteisibtn");
            },
            [](Form1Harness& h, QWidget*) {
                return checked(h.action("mteisi")) + u' '
                    + QString::number(h.find<QWidget>("Fsaikaibtn")->isEnabled());
            }},
        {"add to the GET list",
            [](Form1Harness& h, auto&) {
                loadAndStudy(h, true);
                return h.find<QWidget>("listmaru");
            },
            [](Form1Harness& h, QWidget*) { return QString::number(h.form().getList().count()); }},
        {"test set-up kind",
            [](Form1Harness& h, std::unique_ptr<QWidget>& own) -> QWidget* {
                loadAndStudy(h, false);
                TestSetupInput input;
                input.notYetCount = 3;
                own = std::make_unique<Dialog>(input, h.settingsPath(), h.platform);
                own->show();
                return own->findChild<QRadioButton*>("suuzitestop");
            },
            [](Form1Harness&, QWidget* t) {
                auto* setup = static_cast<Dialog*>(t->window());
                return QString::number(int(setup->choice().kind)) + u' '
                    + QString::number(setup->findChild<QWidget*>("ketamin")->isVisible());
            }},
        {"back from the external GET screen",
            [](Form1Harness& h, auto&) -> QWidget* {
                loadAndStudy(h, true);
                h.find<QToolButton>("gaibubtn")->click();
                return h.form().externalScreen()->findChild<QToolButton*>("naibubtn");
            },
            [](Form1Harness& h, QWidget*) {
                return QString::number(h.form().externalShown()) + u' '
                    + QString::number(h.find<QWidget>("Pickframe")->isVisible());
            },
            1},
    };
    for (const ActionCase& c : cases) {
        const QStringList clicked = run(c, Way::Click);
        ASSERT_GE(clicked.size(), 2) << c.what;
        EXPECT_NE(clicked[0], clicked[1]) << c.what << ": a click changes what is seen";
        EXPECT_EQ(run(c, Way::AccessibilityAction).join(u'|').toStdString(),
            clicked.join(u'|').toStdString())
            << c.what;
    }
}
