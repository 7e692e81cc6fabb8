#include "support/virtualtime.h"

#include <algorithm>

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
        m_due = m_owner.m_clock.nowMs() + m_interval;
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override
    {
        if (enabled && !m_enabled)
            m_due = m_owner.m_clock.nowMs() + m_interval;
        m_enabled = enabled;
    }
    bool isEnabled() const override { return m_enabled; }

    qint64 due() const { return m_due; }
    void fireNow()
    {
        m_due = m_owner.m_clock.nowMs() + std::max(1, m_interval);
        fire();
    }

private:
    VirtualTimerFactory& m_owner;
    int m_interval = 0;
    bool m_enabled = false;
    qint64 m_due = 0;
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
