#include "ui/widgethelpers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

using namespace keruna;

namespace {

// The middle of each edge: where a frame round the button shows.
QList<QColor> edges(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    return {image.pixelColor(w / 2, 0), image.pixelColor(w / 2, h - 1), image.pixelColor(0, h / 2),
        image.pixelColor(w - 1, h / 2)};
}

QImage look(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// A focused picture button stands in a frame of the highlight colour, plain to see; when
// the focus moves on it looks as it did before, each time.
TEST(PictureButton, TheFocusedOneWearsAFrameAndOnlyIt)
{
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    QToolButton* start
        = pictureButton(&window, QStringLiteral("Startbtn"), QStringLiteral("start"), {});
    QToolButton* other
        = pictureButton(&window, QStringLiteral("TESTbtn"), QStringLiteral("test"), {});
    row->addWidget(start);
    row->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason);
    const QImage unfocused = look(start);
    const QColor highlight = start->palette().color(QPalette::Highlight);
    for (QColor edge : edges(unfocused))
        EXPECT_NE(edge, highlight);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        start->setFocus(Qt::TabFocusReason);
        for (QColor edge : edges(look(start)))
            EXPECT_EQ(edge, highlight) << edge.name().toStdString();
        other->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(look(start), unfocused);
    }
}
