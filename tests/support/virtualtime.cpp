#include "support/virtualtime.h"

#include <algorithm>
#include <utility>

namespace keruna::test {

class VirtualTimerFactory::Timer final : public EngineTimer {
public:
    explicit Timer(VirtualTimerFactory& owner)
        : m_owner(owner)
    {
        m_owner.m_timers.push_back(this);
    }
    ~Timer() override
    {
        auto& v = m_owner.m_timers;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    void setInterval(int ms) override
    {
        m_interval = std::max(0, ms);
        arm(inTick() ? m_tickDue : now());
    }
    void countFromNow() override
    {
        if (inTick())
            m_tickDue = now();
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override
    {
        if (enabled && !m_enabled) {
            m_tickDue = now();
            arm(m_tickDue);
        }
        m_enabled = enabled;
    }
    bool isEnabled() const override { return m_enabled; }

    qint64 due() const { return m_due; }
    // Runs the tick that is due: as on real timers, the next phase counts from when this
    // one was due, unless the tick sets it from now.
    void fireNow()
    {
        m_tickDue = m_due;
        arm(m_tickDue, 1); // a zero interval still moves on, so advance() cannot loop
        // Kept by the factory, not here: the tick may delete this timer.
        Timer* const outer = std::exchange(m_owner.m_firing, this);
        fire();
        m_owner.m_firing = outer;
    }

private:
    qint64 now() const { return m_owner.m_clock.nowMs(); }
    bool inTick() const { return m_owner.m_firing == this; }
    void arm(qint64 from, int shortest = 0)
    {
        const qint64 period = std::max(shortest, m_interval);
        m_due = from + period;
        if (m_due < now())
            m_due = now() + period;
    }

    VirtualTimerFactory& m_owner;
    int m_interval = 0;
    bool m_enabled = false;
    qint64 m_due = 0;
    qint64 m_tickDue = 0;
};

std::unique_ptr<EngineTimer> VirtualTimerFactory::createTimer()
{
    return std::make_unique<Timer>(*this);
}

void VirtualTimerFactory::advance(qint64 ms)
{
    const qint64 end = m_clock.nowMs() + ms;
    while (true) {
        Timer* next = nullptr;
        for (Timer* t : m_timers) {
            if (t->isEnabled() && t->due() <= end && (!next || t->due() < next->due()))
                next = t;
        }
        if (!next)
            break;
        m_clock.setNowMs(std::max(m_clock.nowMs(), next->due()));
        next->fireNow();
    }
    // Speech in a tick may have moved the clock past the end already.
    m_clock.setNowMs(std::max(m_clock.nowMs(), end));
}

} // namespace keruna::test
