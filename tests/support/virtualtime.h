#pragma once

#include "common/clock.h"

#include <QtGlobal>

#include <vector>

namespace keruna::test {

class VirtualClock final : public Clock {
public:
    // As a wall clock: back to 0 at midnight.
    double secondsSinceMidnight() const override
    {
        return double(m_ms % (24 * 3600 * 1000)) / 1000.0;
    }
    // The virtual clock's day 0 is 2026-12-01; its time of day is secondsSinceMidnight.
    QDateTime now() const override
    {
        return QDateTime(QDate(2026, 12, 1), QTime(0, 0)).addMSecs(m_ms);
    }
    qint64 nowMs() const { return m_ms; }
    void setNowMs(qint64 ms) { m_ms = ms; }

private:
    qint64 m_ms = 8 * 3600 * 1000; // 08:00
};

// Timers that run on the virtual clock: advance() moves time forward and fires every
// due timer in time order (timers due at the same moment in creation order).
class VirtualTimerFactory final : public TimerFactory {
public:
    explicit VirtualTimerFactory(VirtualClock& clock)
        : m_clock(clock)
    {
    }
    std::unique_ptr<EngineTimer> createTimer() override;
    void advance(qint64 ms);

    class Timer;

private:
    friend class Timer;
    VirtualClock& m_clock;
    std::vector<Timer*> m_timers;
    Timer* m_firing = nullptr; // the timer whose tick is running
};

} // namespace keruna::test
