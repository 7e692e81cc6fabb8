#include "common/clock.h"

#include <algorithm>
#include <utility>

#include <QElapsedTimer>
#include <QTime>
#include <QTimer>

namespace keruna {

double SystemClock::secondsSinceMidnight() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

namespace {

class QtEngineTimer final : public EngineTimer {
public:
    ~QtEngineTimer() override
    {
        if (m_alive)
            *m_alive = false;
    }
    QtEngineTimer()
    {
        // One shot armed for each tick: Qt's periodic timer counts from when it was
        // started, not from a deadline of ours.
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }

    void setInterval(int ms) override
    {
        m_interval = std::max(0, ms);
        if (m_enabled)
            arm(m_inTick ? m_tickDue : m_clock.nsecsElapsed());
    }
    void countFromNow() override
    {
        if (m_inTick)
            m_tickDue = m_clock.nsecsElapsed();
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override
    {
        if (enabled && !m_enabled) {
            m_enabled = true;
            // Started again, the phase counts from now even within a tick.
            m_tickDue = m_clock.nsecsElapsed();
            arm(m_tickDue);
        } else if (!enabled) {
            m_enabled = false;
            m_timer.stop();
        }
    }
    bool isEnabled() const override { return m_enabled; }

private:
    void arm(qint64 from)
    {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 period = qint64(m_interval) * 1000000;
        m_due = from + period;
        if (m_due < now)
            m_due = now + period;
        // Rounded to the nearest millisecond, the error of each tick stays within half a
        // millisecond of its deadline and does not add up: the next is armed from the
        // deadline, not from when this one fired.
        m_timer.start(int((m_due - now + 500000) / 1000000));
    }

    void tick()
    {
        if (!m_enabled)
            return;
        m_tickDue = m_due;
        arm(m_tickDue); // the next period, unless the tick sets another
        // The callback may delete this timer, or wait for speech while a later tick of
        // it comes due.
        bool alive = true;
        bool* const outerAlive = std::exchange(m_alive, &alive);
        const bool outerInTick = std::exchange(m_inTick, true);
        fire();
        if (!alive) {
            if (outerAlive)
                *outerAlive = false;
            return;
        }
        m_alive = outerAlive;
        m_inTick = outerInTick;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_interval = 0;
    bool m_enabled = false;
    bool m_inTick = false;
    qint64 m_due = 0; // when the next tick is due, in ns on m_clock
    qint64 m_tickDue = 0; // when the tick being run was due
    bool* m_alive = nullptr; // cleared if the timer is deleted while a tick runs
};

} // namespace

std::unique_ptr<EngineTimer> QtTimerFactory::createTimer()
{
    return std::make_unique<QtEngineTimer>();
}

} // namespace keruna
