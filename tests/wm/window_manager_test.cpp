#include "app/form1.h"
#include "database/dbgamen.h"
#include "getlist/pickgamen.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "support/harness.h"
#include "support/runprogram.h"
#include "support/speechdispatcher.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

QString xprop(WId window, const char* property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"),
        {QStringLiteral("-id"), QString::number(window), QString::fromLatin1(property)});
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What the screen shows where the question label is.
QImage onScreen(QWidget* w)
{
    QTest::qWait(150);
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), w->width(), w->height())
        .toImage();
}

} // namespace

TEST(WindowManager, AlwaysOnTopOnAndOffKeepsTheWindowLive)
{
    Form1Harness h;
    QtPlatform real(h.folder());
    h.platform.windowSystem = &real;
    h.start();
    Form1& form = h.form();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    writeBytes(h.path("a.txt"), "apple,1\r\nbook,2\r\ncat,3\r\ndog,4\r\negg,5\r\n");
    writeBytes(h.path("b.txt"), "fig,6\r\n");
    h.open(h.path("a.txt"));
    h.find<QRadioButton>("Rndop_1")->setChecked(true);
    h.find<QComboBox>("Seccom")->setCurrentText("1");
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    auto* question = h.find<QLabel>("Label1");
    const WId id = form.winId();

    for (int round = 0; round < 2; ++round) {
        h.action("mmae")->trigger();
        QTest::qWait(300);
        EXPECT_TRUE(xprop(id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE")) << round;
        h.action("mmae")->trigger();
        QTest::qWait(300);
        EXPECT_FALSE(xprop(id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE")) << round;
        EXPECT_EQ(form.winId(), id) << "the native window was made anew";

        // The card goes on changing on the screen itself.
        const QString before = question->text();
        const QImage shown = onScreen(question);
        h.timers.advance(1000);
        ASSERT_NE(question->text(), before);
        EXPECT_NE(onScreen(question), shown) << round;
    }
    // And the title bar follows the title.
    h.open(h.path("b.txt"));
    QTest::qWait(300);
    EXPECT_TRUE(xprop(id, "_NET_WM_NAME").contains("b.txt"))
        << xprop(id, "_NET_WM_NAME").toStdString();
}

TEST(WindowManager, ClosingTheProgramEndsItAtOnceWithItsSettingsSaved)
{
    test::SpeechDispatcherEnvironment speech("null");
    QTemporaryDir dir;
    const QString ini = SettingsStore::settingsPath(dir.path());
    InitSettings(ini);
    SettingsStore::WriteValue("13", "SEC", "FORM", ini);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("KERUNA_PROGRAM_FOLDER", dir.path());
    program.setProcessEnvironment(env);
    program.start(QString::fromUtf8(KERUNA_BINARY), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const QString window = run("xdotool",
        {"search", "--sync", "--onlyvisible", "--pid", QString::number(program.processId())})
                               .section(u'\n', 0, 0);
    ASSERT_FALSE(window.isEmpty());
    // The speech engine starts after the first paint; let it come up, as it has for a
    // user who closes the program.
    QTest::qWait(3000);
    SettingsStore::WriteValue("1", "SEC", "FORM", ini);

    QElapsedTimer closing;
    closing.start();
    // Closed by the window manager, as its close button does.
    run("wmctrl", {"-i", "-c", window});
    ASSERT_TRUE(program.waitForFinished(10000));
    const qint64 ms = closing.elapsed();
    std::printf("closed in %lld ms\n", static_cast<long long>(ms));
    EXPECT_LT(ms, 200) << "the process lived on after its window closed";
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(SettingsStore::ReadValue("SEC", "FORM", ini), "13"); // the exit set was written
}

// Under a window manager: a message box opened while the stick strip stays on top comes
// above it, and the database screen follows always-on-top both ways.
// The main screen shown under the window manager with a word list open; stacking calls
// reach the real window system.
class ShownWithAList : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.platform.windowSystem = &real;
        h.start();
        h.form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.form()));
        writeBytes(h.path("a.txt"), "apple,1\r\nbook,2,,○\r\n");
        h.open(h.path("a.txt"));
    }

    Form1Harness h;
    QtPlatform real {h.folder()};
};

TEST_F(ShownWithAList, DialogsComeAboveTheStripAndTheDatabaseScreenFollowsAlwaysOnTop)
{
    Form1& form = h.form();

    h.find<QToolButton>("DBbtn")->click();
    QWidget* db = form.databaseScreen();
    ASSERT_TRUE(db && QTest::qWaitForWindowExposed(db));
    for (int round = 0; round < 2; ++round) {
        h.action("mmae")->trigger();
        QTest::qWait(300);
        EXPECT_TRUE(xprop(db->winId(), "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE")) << round;
        h.action("mmae")->trigger();
        QTest::qWait(300);
        EXPECT_FALSE(xprop(db->winId(), "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE")) << round;
    }
    db->close();

    h.find<QToolButton>("boubtn")->click();
    QTest::qWait(300);
    for (int round = 0; round < 2; ++round) {
        QString state;
        QTimer::singleShot(500, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            state = xprop(box->winId(), "_NET_WM_STATE");
            box->close();
        });
        real.showMessage(&form, QStringLiteral("テスト"), MessageIcon::Information,
            MessageButtons::Ok, QString());
        EXPECT_TRUE(state.contains("_NET_WM_STATE_ABOVE")) << round << state.toStdString();
    }
}

TEST_F(ShownWithAList, TheExternalGetScreenStaysOnTopAndTheTestDialogComesAboveIt)
{
    Form1& form = h.form();
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("gaibubtn")->click();
        QWidget* outside = form.externalScreen();
        ASSERT_TRUE(outside && QTest::qWaitForWindowExposed(outside));
        QTest::qWait(300);
        EXPECT_TRUE(xprop(outside->windowHandle()->winId(), "_NET_WM_STATE")
                        .contains("_NET_WM_STATE_ABOVE"))
            << round;
        form.MoveGetListIn();
        QTest::qWait(200);
    }
    h.find<QToolButton>("gaibubtn")->click();
    QTest::qWait(300);
    // The set-up dialog opens above the always-on-top GET screen.
    QString state;
    QTimer::singleShot(500, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        state = xprop(dialog->winId(), "_NET_WM_STATE");
        dialog->close();
    });
    h.find<QToolButton>("TESTbtn")->click();
    EXPECT_TRUE(state.contains("_NET_WM_STATE_ABOVE")) << state.toStdString();
    EXPECT_FALSE(form.state().testmode); // closed: no test
}

// Saving a test over 【全】 from the result view: the save-method question comes up over the
// result screen, not behind it, each time.
TEST_F(ShownWithAList, TheSaveQuestionOfATestsResultsComesOverTheResultView)
{
    Form1& form = h.form();
    form.chooseTestSetup = [](const TestSetupInput&) {
        TestChoice c;
        c.seconds = "2";
        c.rangeIndex = 3;
        return std::optional<TestChoice>(c);
    };
    h.find<QToolButton>("TESTbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("zidouMARU")->click();
    h.find<QToolButton>("syuuryoubtn")->click();
    QWidget* results = form.databaseScreen();
    ASSERT_TRUE(results && QTest::qWaitForWindowExposed(results));
    for (int round = 0; round < 2; ++round) {
        QString active;
        QWidget* owner = nullptr;
        QTimer::singleShot(700, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            owner = dialog->parentWidget();
            active = run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
            EXPECT_EQ(active.toULongLong(), dialog->windowHandle()->winId()) << round;
            dialog->close(); // cancelled: nothing is written
        });
        results->findChild<QToolButton*>(QStringLiteral("sumihozon"))->click();
        EXPECT_EQ(owner, results) << round;
    }
}

// The main window at the right edge of the screen: the external GET screen ends flush with
// the edge, its frame included, so that its way back and its close box are in reach; a size
// the user gives it stays across moving in and out. Each twice.
TEST_F(ShownWithAList, TheExternalGetScreenEndsFlushWithTheRightEdgeAndKeepsItsSize)
{
    Form1& form = h.form();
    const QRect screen = real.screenGeometry(&form);
    h.platform.screen = screen;
    form.move(screen.right() + 1 - form.frameGeometry().width(), 80);
    QTest::qWait(300);
    ASSERT_EQ(form.frameGeometry().right(), screen.right());
    QSize chosen;
    for (int round = 0; round < 2; ++round) {
        h.find<QToolButton>("gaibubtn")->click();
        QWidget* outside = form.externalScreen();
        ASSERT_TRUE(outside && QTest::qWaitForWindowExposed(outside));
        QTest::qWait(300);
        const QRect outer = outside->frameGeometry();
        EXPECT_GT(outer.width(), outside->width()) << "framed by the window manager";
        EXPECT_EQ(outer.right(), screen.right()) << round;
        EXPECT_GE(outer.left(), screen.left()) << round;
        if (round == 0) {
            chosen = outside->size() + QSize(60, 80); // made larger by the user
            outside->resize(chosen);
            QTest::qWait(300);
        } else {
            EXPECT_EQ(outside->size(), chosen);
        }
        form.MoveGetListIn();
        QTest::qWait(200);
    }
    // Larger now, it moved left to end at the edge again.
    h.find<QToolButton>("gaibubtn")->click();
    QTest::qWait(300);
    EXPECT_EQ(form.externalScreen()->size(), chosen);
    EXPECT_EQ(form.externalScreen()->frameGeometry().right(), screen.right());
}
