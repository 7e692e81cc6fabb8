#include "study/stickscreen.h"

#include "common/twips.h"
#include "ui/accessiblenames.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace keruna {

bougamen::bougamen(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("bougamen"));
    setAutoFillBackground(true);
    m_bouarea = new QLabel(this);
    m_bouarea->setObjectName(QStringLiteral("bouarea"));
    m_bouarea->setTextFormat(Qt::PlainText);
    m_bouarea->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_bouarea->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_iroPic = new QFrame(this);
    m_iroPic->setObjectName(QStringLiteral("iroPic"));
    m_iroPic->setFrameShape(QFrame::Box);
    m_iro = new QFrame(m_iroPic);
    m_iro->setObjectName(QStringLiteral("iro"));
    m_iro->setStyleSheet(QStringLiteral("#iro { background: #fb8c00; }"));
    m_iro->hide();
    m_iroPic->hide();
    resize(600, 60);
    makeAccessible(this);
}

void bougamen::showTimerShare(double share)
{
    if (share < 0) {
        m_iro->hide();
        return;
    }
    m_iro->setGeometry(0, 0, int(share * m_iroPic->width()), m_iroPic->height());
    m_iro->show();
}

void bougamen::layoutArea()
{
    // The text takes the strip less 480 × 400 twips of margin, when it is that large.
    const int w = width() > twipsToPixels(480) ? width() - twipsToPixels(480) : width();
    const int h = height() > twipsToPixels(400) ? height() - twipsToPixels(400) : height();
    m_bouarea->setGeometry(twipsToPixels(240), twipsToPixels(200), w, h);
    m_iroPic->setGeometry(twipsToPixels(240), 2, w, 4);
}

void bougamen::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (onClosed)
        onClosed();
}

void bougamen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutArea();
    if (onShownOrResized)
        onShownOrResized();
}

void bougamen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layoutArea();
    if (onShownOrResized)
        onShownOrResized();
}

void bougamen::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && onPopup) {
        onPopup(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace keruna
