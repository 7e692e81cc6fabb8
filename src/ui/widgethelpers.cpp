#include "ui/widgethelpers.h"

#include "ui/lazyicon.h"

#include <QPainter>
#include <QToolButton>
#include <QWidget>

namespace keruna {

namespace {

constexpr int kFocusFrameWidth = 2;

// A flat button shows its focus only as a pale tint, easy to miss on a row of pictures; a
// keyboard user must see at a glance which one Space will press. Unfocused it looks as
// the style draws it.
class PictureButton final : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QToolButton::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = kFocusFrameWidth / 2.0;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 3, 3);
    }
};

} // namespace

QToolButton* pictureButton(
    QWidget* parent, const QString& name, const QString& icon, const QString& tooltip)
{
    auto* b = named(new PictureButton(parent), name);
    b->setIcon(lazyIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".svg")));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setToolTip(tooltip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void setTabChain(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace keruna
