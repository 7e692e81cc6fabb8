#pragma once

#include <functional>
#include <memory>

namespace keruna {

// Phase times are measured in seconds since midnight, as the engines always have.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() const = 0;
};

class SystemClock final : public Clock {
public:
    double secondsSinceMidnight() const override;
};

// A periodic engine timer. Setting the interval restarts the count, so a phase is timed
// from the moment its interval was set.
class EngineTimer {
public:
    virtual ~EngineTimer() = default;
    virtual void setInterval(int ms) = 0;
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
