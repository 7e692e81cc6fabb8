#include "speech/texthatuongamen.h"

#include "app/stickcontroller.h"
#include "getlist/pickgamen.h"
#include "mainscreen/mainmenus.h"
#include "speech/handwritingsurface.h"
#include "speech/qtspeech.h"
#include "study/stickscreen.h"
#include "support/harness.h"
#include "support/speechdispatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace keruna;
using namespace keruna::test;

namespace {

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A drag in small steps, as a hand moves the mouse.
void drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to)
{
    send(w, QEvent::MouseButtonPress, from, button, button);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i)
        send(w, QEvent::MouseMove, from + (to - from) * i / steps, Qt::NoButton, button);
    send(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

bool white(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

bool allWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!white(image, x, y))
                return false;
    return true;
}

class Palette : public ::testing::Test {
protected:
    void SetUp() override
    {
        palette.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    }
    template <class T> T* find(const char* name) { return palette.findChild<T*>(name); }
    HandwritingSurface* surface() { return palette.surface(); }
    // A horizontal black stroke at y = 40 from x = 20 to x = 100.
    void writeStroke() { drag(surface(), Qt::LeftButton, {20, 40}, {100, 40}); }
    bool strokeThere() { return dark(surface()->image(), 60, 40); }

    FakeSpeech speech;
    int voice = 1;
    texthatuongamen palette {speech, [this] { return voice; }, nullptr};
};

} // namespace

TEST_F(Palette, IsAToolWindowWithItsControlsAndTexts)
{
    EXPECT_EQ(palette.windowTitle(), "マウスで文字を書けます");
    EXPECT_TRUE(palette.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(find<QLabel>("Label1")->text(), "左：黒　右：白");
    EXPECT_EQ(find<QPushButton>("Erasebtn")->text(), "消す ※BackSpace");
    EXPECT_EQ(find<QCheckBox>("Check2")->text(), "次の問題時に自動消去");
    EXPECT_EQ(find<QCheckBox>("Check1")->text(), "常に最前面");
    EXPECT_EQ(find<QLineEdit>("Text1")->placeholderText(), "発音させたい英語を入力してください");
    for (const char* name : {"Picture1", "Spkbtn", "Frame1", "Frame2"})
        EXPECT_NE(find<QWidget>(name), nullptr) << name;
    EXPECT_FALSE(find<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("Check2")->isChecked());
    // The surface starts white and covers what is shown of it.
    EXPECT_TRUE(allWhite(surface()->image()));
    EXPECT_GE(surface()->image().width(), surface()->width());
    EXPECT_GE(surface()->image().height(), surface()->height());
}

TEST_F(Palette, LeftDrawsThinBlackRightRubsOutThickWhite)
{
    const QImage& img = surface()->image();
    // Moving with no button held writes nothing.
    send(surface(), QEvent::MouseMove, {30, 30}, Qt::NoButton, Qt::NoButton);
    send(surface(), QEvent::MouseMove, {90, 30}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(allWhite(img));

    writeStroke();
    for (int x = 25; x <= 95; x += 5)
        EXPECT_TRUE(dark(img, x, 40)) << x;
    // Thin: three pixels leave the rows three away untouched, and the ends are round.
    EXPECT_TRUE(white(img, 60, 36));
    EXPECT_TRUE(white(img, 60, 44));
    EXPECT_TRUE(white(img, 110, 40));
    EXPECT_TRUE(white(img, 10, 40));

    // A repaint draws from the image: the window shows the stroke too.
    const QImage shown = surface()->grab().toImage();
    EXPECT_TRUE(dark(shown, 60, 40));

    // A right drag three pixels off the line still covers it: ten pixels wide.
    drag(surface(), Qt::RightButton, {10, 43}, {110, 43});
    for (int x = 20; x <= 100; x += 5)
        EXPECT_TRUE(white(img, x, 40)) << x;
    EXPECT_TRUE(allWhite(img));

    // Drawn again, in black, on top of the white.
    writeStroke();
    EXPECT_TRUE(strokeThere());
}

TEST_F(Palette, EraseButtonAndBackSpaceButNotInTheTextBox)
{
    writeStroke();
    find<QPushButton>("Erasebtn")->click();
    EXPECT_TRUE(allWhite(surface()->image()));

    // BackSpace in the text box edits the text, empty or not, and leaves the drawing.
    auto* text = find<QLineEdit>("Text1");
    writeStroke();
    text->setFocus();
    text->setText("ab");
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(text->text(), "a");
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(text->text(), "");
    EXPECT_TRUE(strokeThere());

    // Anywhere else in the palette it erases.
    for (const char* name : {"Check2", "Erasebtn"}) {
        writeStroke();
        auto* w = find<QWidget>(name);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Backspace);
        EXPECT_TRUE(allWhite(surface()->image())) << name;
    }
    writeStroke();
    QTest::keyClick(surface(), Qt::Key_Backspace);
    EXPECT_TRUE(allWhite(surface()->image()));
}

// Drawing takes the keyboard from the text box: the next BackSpace erases the drawing
// and leaves the typed text; clicking back into the box edits the text again.
TEST_F(Palette, DrawingAfterTypingTakesTheFocusSoBackSpaceErases)
{
    auto* text = find<QLineEdit>("Text1");
    text->setFocus();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QTest::keyClicks(palette.focusWidget(), "ab");
        ASSERT_EQ(text->text(), "ab");
        writeStroke();
        ASSERT_TRUE(strokeThere());
        EXPECT_NE(palette.focusWidget(), text);
        QTest::keyClick(palette.focusWidget(), Qt::Key_Backspace);
        EXPECT_TRUE(allWhite(surface()->image()));
        EXPECT_EQ(text->text(), "ab");

        writeStroke();
        QTest::mouseClick(text, Qt::LeftButton);
        ASSERT_EQ(palette.focusWidget(), text);
        QTest::keyClick(palette.focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(palette.focusWidget(), Qt::Key_Backspace);
        EXPECT_EQ(text->text(), "");
        EXPECT_TRUE(strokeThere());
    }
}

TEST_F(Palette, EnterAndTheButtonSpeakTheTextWithTheVoiceNothingWhenEmpty)
{
    auto* text = find<QLineEdit>("Text1");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    find<QToolButton>("Spkbtn")->click();
    EXPECT_TRUE(speech.spoken.isEmpty());

    QTest::keyClicks(text, "hello world");
    QTest::keyClick(text, Qt::Key_Return);
    voice = 0;
    QTest::keyClick(text, Qt::Key_Enter);
    voice = 1;
    find<QToolButton>("Spkbtn")->click();
    EXPECT_EQ(speech.spoken, QStringList({"hello world", "hello world", "hello world"}));
    EXPECT_EQ(speech.voicesUsed, QList<int>({1, 0, 1}));
    EXPECT_EQ(text->text(), "hello world"); // the text stays to be heard again

    // A press while the text is being spoken does not start a second utterance.
    speech.whileSpeaking = [this] { find<QToolButton>("Spkbtn")->click(); };
    find<QToolButton>("Spkbtn")->click();
    EXPECT_EQ(speech.spoken.size(), 4);
}

TEST_F(Palette, ResizedToItsMinimumAndToFullScreenTheDrawingStays)
{
    writeStroke();
    const QSize before = surface()->size();
    // The window cannot be made smaller than its layout allows; a request for less gets that.
    palette.resize(1, 1);
    QApplication::processEvents();
    EXPECT_EQ(palette.size(), palette.minimumSize());
    EXPECT_LT(surface()->height(), before.height());
    EXPECT_TRUE(strokeThere());

    const QRect screen = palette.screen()->geometry();
    palette.setGeometry(screen);
    QApplication::processEvents();
    ASSERT_GT(surface()->width(), 400);
    const QImage& img = surface()->image();
    EXPECT_GE(img.width(), surface()->width());
    EXPECT_GE(img.height(), surface()->height());
    EXPECT_TRUE(strokeThere());
    EXPECT_TRUE(dark(surface()->grab().toImage(), 60, 40));

    // The new room is white and can be written on.
    const QPoint far(surface()->width() - 20, surface()->height() - 20);
    EXPECT_TRUE(white(img, far.x(), far.y()));
    drag(surface(), Qt::LeftButton, far - QPoint(40, 0), far);
    EXPECT_TRUE(dark(surface()->image(), far.x() - 20, far.y()));

    // Small again: what was written in the large window is still there when it grows back.
    palette.resize(1, 1);
    QApplication::processEvents();
    palette.setGeometry(screen);
    QApplication::processEvents();
    EXPECT_TRUE(dark(surface()->image(), far.x() - 20, far.y()));
    EXPECT_TRUE(strokeThere());
    find<QPushButton>("Erasebtn")->click();
    EXPECT_TRUE(allWhite(surface()->image()));
}

TEST(PaletteSpeech, WithoutAnEngineSpeakingReturnsAtOnceAndThePaletteGoesOn)
{
    SpeechDispatcherEnvironment env(nullptr, false);
    QTemporaryDir empty;
    const QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({empty.path()});
    QtSpeech speech;
    ASSERT_TRUE(speech.waitUntilReady(5000));
    texthatuongamen palette(
        speech, [] { return 3; }, nullptr);
    palette.show();
    auto* text = palette.findChild<QLineEdit*>("Text1");
    text->setText("hello");
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_FALSE(speech.lastUtteranceFinished());
    drag(palette.surface(), Qt::LeftButton, {20, 40}, {100, 40});
    EXPECT_TRUE(dark(palette.surface()->image(), 60, 40));
    QCoreApplication::setLibraryPaths(paths);
}

namespace {

std::pair<QWidget*, bool> call(QWidget* window, bool topmost)
{
    return {window, topmost};
}

class PaletteInMainScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        const QString path = h.path("w.txt");
        writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\ncat,猫\r\n")));
        h.open(path);
        h.find<QComboBox>("Seccom")->setCurrentText("3");
    }
    texthatuongamen* palette() { return h.form().findChild<texthatuongamen*>(); }
    bool strokeThere() { return dark(palette()->surface()->image(), 60, 40); }
    void writeStroke() { drag(palette()->surface(), Qt::LeftButton, {20, 40}, {100, 40}); }

    Form1Harness h;
};

} // namespace

TEST_F(PaletteInMainScreen, OpensOnceFromButtonAndMenuWithoutBlocking)
{
    EXPECT_EQ(palette(), nullptr);
    h.find<QToolButton>("Texthatuonbtn")->click();
    ASSERT_NE(palette(), nullptr);
    EXPECT_TRUE(palette()->isVisible());
    EXPECT_FALSE(palette()->isModal());
    EXPECT_EQ(palette()->parentWidget(), &h.form());
    writeStroke();
    palette()->close();
    h.action("mtexthatuon")->trigger();
    EXPECT_EQ(h.form().findChildren<texthatuongamen*>().size(), 1);
    EXPECT_TRUE(palette()->isVisible());
    EXPECT_TRUE(strokeThere());

    // It speaks with the voice of the settings.
    auto* text = palette()->findChild<QLineEdit*>("Text1");
    text->setText("orange");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(h.speech.spoken, QStringList {"orange"});
    EXPECT_EQ(h.speech.voicesUsed, QList<int> {h.form().state().options.voiceIndex});
}

TEST_F(PaletteInMainScreen, AutoEraseAtEachNewItemOnlyWhenCheckedAndShown)
{
    h.find<QToolButton>("Texthatuonbtn")->click();
    writeStroke();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1); // first item
    EXPECT_TRUE(strokeThere()) << "auto-erase is off";

    palette()->findChild<QCheckBox*>("Check2")->click();
    h.timers.advance(3000); // answer, then the next item
    EXPECT_TRUE(allWhite(palette()->surface()->image()));

    writeStroke();
    h.timers.advance(1499); // still the same item
    EXPECT_TRUE(strokeThere());
    h.timers.advance(1501);
    EXPECT_TRUE(allWhite(palette()->surface()->image()));

    // Hidden, it keeps what it holds.
    writeStroke();
    palette()->hide();
    h.timers.advance(3000);
    EXPECT_TRUE(strokeThere());
}

TEST_F(PaletteInMainScreen, AlwaysOnTopBoxSetsThePaletteAndRestoresTheMainWindow)
{
    h.find<QToolButton>("Texthatuonbtn")->click();
    auto* box = palette()->findChild<QCheckBox*>("Check1");
    // The main screen's always-on-top takes the palette along, both ways.
    h.platform.topmostCalls.clear();
    h.action("mdmae")->trigger();
    ASSERT_TRUE(h.action("mmae")->isChecked());
    EXPECT_EQ(h.platform.topmostCalls.back(), call(palette(), true));
    h.action("mmae")->trigger();
    ASSERT_FALSE(h.action("mmae")->isChecked());
    EXPECT_EQ(h.platform.topmostCalls.back(), call(palette(), false));

    h.platform.topmostCalls.clear();
    box->click();
    ASSERT_EQ(h.platform.topmostCalls.size(), 1u);
    EXPECT_EQ(h.platform.topmostCalls[0], call(palette(), true));
    EXPECT_TRUE(palette()->alwaysOnTop());

    box->click();
    ASSERT_EQ(h.platform.topmostCalls.size(), 2u);
    EXPECT_EQ(h.platform.topmostCalls[1], call(palette(), false));

    // With the main window kept on top, it is made topmost again after the palette.
    h.action("mmae")->trigger();
    ASSERT_TRUE(h.action("mmae")->isChecked());
    h.platform.topmostCalls.clear();
    box->click();
    box->click();
    ASSERT_EQ(h.platform.topmostCalls.size(), 3u);
    EXPECT_EQ(h.platform.topmostCalls[1], call(palette(), false));
    EXPECT_EQ(h.platform.topmostCalls[2], call(&h.form(), true));

    // Its own box keeps it on top when the main screen leaves the top.
    box->click();
    h.action("mmae")->trigger();
    ASSERT_FALSE(h.action("mmae")->isChecked());
    EXPECT_EQ(h.platform.topmostCalls.back(), call(palette(), true));
}

// An open dialog comes above the palette kept on top, which goes back on top afterwards.
TEST_F(PaletteInMainScreen, OpeningAListComesAboveThePaletteKeptOnTop)
{
    h.form().show();
    h.find<QToolButton>("Texthatuonbtn")->click();
    palette()->findChild<QCheckBox*>("Check1")->click();
    h.platform.topmostCalls.clear();
    h.platform.openAnswers.push_back(h.path("w.txt"));
    h.action("mopen")->trigger();
    ASSERT_GE(h.platform.topmostCalls.size(), 3u);
    EXPECT_EQ(h.platform.topmostCalls[0], call(&h.form(), true));
    EXPECT_EQ(h.platform.topmostCalls[1], call(&h.form(), false));
    EXPECT_EQ(h.platform.topmostCalls[2], call(palette(), true));
}

// Its always-on-top box, on or off, puts every tool window kept on top back on top: the
// stick strip and the external GET screen as well.
TEST_F(PaletteInMainScreen, AlwaysOnTopBoxPutsEveryToolWindowBackOnTop)
{
    h.form().show();
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("gaibubtn")->click();
    ASSERT_TRUE(h.form().externalShown());
    QWidget* external = h.form().externalScreen();
    h.find<QToolButton>("boubtn")->click();
    QWidget* strip = h.form().stick().strip();
    ASSERT_NE(strip, nullptr);
    h.find<QToolButton>("Texthatuonbtn")->click();
    auto* box = palette()->findChild<QCheckBox*>("Check1");
    for (bool on : {true, false, true, false}) {
        SCOPED_TRACE(on);
        h.platform.topmostCalls.clear();
        box->click();
        ASSERT_EQ(palette()->alwaysOnTop(), on);
        const auto& calls = h.platform.topmostCalls;
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), call(palette(), on));
        auto raisedAfter = [&calls](QWidget* w) {
            return std::find(calls.begin() + 1, calls.end(), call(w, true)) != calls.end();
        };
        EXPECT_TRUE(raisedAfter(strip));
        EXPECT_TRUE(raisedAfter(external));
        EXPECT_EQ(std::count(calls.begin(), calls.end(), call(palette(), !on)), 0);
    }
}
