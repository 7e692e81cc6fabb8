#include "study/timerbar.h"

#include "common/clock.h"
#include "common/twips.h"

#include <QFrame>

#include <algorithm>

namespace keruna {

TimerBar::TimerBar(QFrame& box, QFrame& bar, Clock& clock, TimerFactory& timers)
    : m_box(box)
    , m_bar(bar)
    , m_clock(clock)
    , m_timer(timers.createTimer())
{
    m_timer->setInterval(10);
    m_timer->setOnTimeout([this] { tick(); });
}

TimerBar::~TimerBar() = default;

void TimerBar::start()
{
    m_startWidth = std::max(1, twipsToPixels(15));
    m_bar.setGeometry(0, 0, m_startWidth, m_box.height());
    m_bar.show();
    if (mirror)
        mirror(double(m_startWidth) / std::max(1, m_box.width()));
    m_timer->setEnabled(true);
}

void TimerBar::stop()
{
    m_bar.hide();
    if (mirror)
        mirror(-1);
    m_timer->setEnabled(false);
}

void TimerBar::hold()
{
    m_timer->setEnabled(false);
    m_startWidth = m_bar.width();
}

void TimerBar::resume()
{
    m_bar.show();
    m_timer->setEnabled(true);
}

int TimerBar::width() const
{
    return m_bar.isVisible() ? m_bar.width() : 0;
}

void TimerBar::tick()
{
    const double seconds = phaseSeconds ? phaseSeconds() : 0;
    if (seconds <= 0 || !phaseStart)
        return;
    const double elapsed = m_clock.secondsSinceMidnight() - phaseStart();
    const int full = m_box.width();
    const int w = int(m_startWidth + elapsed * full / seconds);
    if (w >= full) {
        setShare(1.0);
        m_timer->setEnabled(false);
        if (onFull)
            onFull();
        return;
    }
    setShare(double(std::max(1, w)) / std::max(1, full));
}

void TimerBar::setShare(double share)
{
    m_bar.setGeometry(0, 0, int(share * m_box.width()), m_box.height());
    if (mirror)
        mirror(share);
}

} // namespace keruna
