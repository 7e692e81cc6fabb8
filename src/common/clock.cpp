#include "common/clock.h"

#include <QTime>
#include <QTimer>

namespace keruna {

double SystemClock::secondsSinceMidnight() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

namespace {

class QtEngineTimer final : public EngineTimer {
public:
    QtEngineTimer()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
    }

    void setInterval(int ms) override
    {
        m_timer.setInterval(ms);
        if (m_timer.isActive())
            m_timer.start(); // restart the count
    }
    int interval() const override { return m_timer.interval(); }
    void setEnabled(bool enabled) override
    {
        if (enabled && !m_timer.isActive())
            m_timer.start();
        else if (!enabled)
            m_timer.stop();
    }
    bool isEnabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<EngineTimer> QtTimerFactory::createTimer()
{
    return std::make_unique<QtEngineTimer>();
}

} // namespace keruna
