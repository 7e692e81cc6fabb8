#include "speech/handwritingsurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace keruna {

HandwritingSurface::HandwritingSurface(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    growImage(QSize(1, 1));
}

void HandwritingSurface::growImage(const QSize& size)
{
    const QSize have = m_image.deviceIndependentSize().toSize();
    if (have.width() >= size.width() && have.height() >= size.height())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = have.expandedTo(size);
    QImage grown(wanted * ratio, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(Qt::white);
    if (!m_image.isNull()) {
        QPainter p(&grown);
        p.drawImage(QPoint(0, 0), m_image);
    }
    m_image = grown;
}

void HandwritingSurface::erase()
{
    m_image.fill(Qt::white);
    update();
}

void HandwritingSurface::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    p.drawImage(QPoint(0, 0), m_image);
}

void HandwritingSurface::resizeEvent(QResizeEvent* event)
{
    growImage(event->size());
    QWidget::resizeEvent(event);
}

void HandwritingSurface::mousePressEvent(QMouseEvent* event)
{
    m_drawing = true;
    m_current = event->position().toPoint();
}

void HandwritingSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_drawing)
        return;
    const QPoint to = event->position().toPoint();
    const Qt::MouseButtons held = event->buttons();
    if (held & (Qt::LeftButton | Qt::RightButton)) {
        // The right button rubs out: a white pen wide enough to cover the black one.
        const bool white = held & Qt::RightButton;
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(white ? Qt::white : Qt::black, white ? kWhiteWidth : kBlackWidth,
            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(m_current, to);
        const int margin = kWhiteWidth;
        update(QRect(m_current, to).normalized().adjusted(-margin, -margin, margin, margin));
    }
    m_current = to;
}

void HandwritingSurface::mouseReleaseEvent(QMouseEvent*)
{
    m_drawing = false;
}

} // namespace keruna
