#include "app/form1.h"
#include "support/harness.h"
#include "ui/qtplatform.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// A property of a window as the window manager sees it.
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
