#pragma once

#include <QDateTime>

#include <functional>
#include <memory>

namespace keruna {

// Phase times are measured in seconds since midnight, as the engines always have.
// The date and time judgements are recorded with and reviews fall due by.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    double secondsSinceMidnight() const override;
    QDateTime now() const override;
};

// A periodic engine timer. Setting the interval restarts the count, so a phase is timed
// from the moment its interval was set; set from the timer's own tick, the phase is timed
// from the moment that tick was due, so the work of each tick (and a tick that came late)
// does not push every later phase back. A phase whose end has already passed when it is
// set (its tick came later than the phase is long) runs its full length from now, rather
// than being cut to nothing or firing a burst to catch up.
class EngineTimer {
public:
    virtual ~EngineTimer() = default;
    virtual void setInterval(int ms) = 0;
    // Within a tick: a phase set after this is timed from now, as after an utterance the
    // tick waited for. What is already set stays; outside a tick setInterval counts from
    // now anyway.
    virtual void countFromNow() = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    void setOnTimeout(std::function<void()> callback) { m_onTimeout = std::move(callback); }

protected:
    void fire()
    {
        if (m_onTimeout)
            m_onTimeout();
    }

private:
    std::function<void()> m_onTimeout;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<EngineTimer> createTimer() = 0;
};

// Real timers: QTimer with Qt::PreciseTimer (the coarse timer wanders by ±5 %).
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<EngineTimer> createTimer() override;
};

} // namespace keruna
