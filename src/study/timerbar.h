#pragma once

#include <functional>
#include <memory>

class QFrame;

namespace keruna {

class Clock;
class EngineTimer;
class TimerFactory;

// The bar that fills its box while the question shows (`iroPic` with `iro` inside), mirrored
// on the stick screen. It grows from the phase start over the current phase's interval.
class TimerBar {
public:
    TimerBar(QFrame& box, QFrame& bar, Clock& clock, TimerFactory& timers);
    ~TimerBar();

    // The phase start (seconds since midnight) and the phase's length in seconds.
    std::function<double()> phaseStart;
    std::function<double()> phaseSeconds;
    // The stick screen's copy: its width as a share of the box (0–1), or hidden (< 0).
    std::function<void(double)> mirror;
    // The bar reached the end of its box (a manual test then shows the answer).
    std::function<void()> onFull;

    void start();
    void stop();
    // Pause: the bar stops where it is; resume goes on from there.
    void hold();
    void resume();
    int width() const;

private:
    void tick();
    void setShare(double share);

    QFrame& m_box;
    QFrame& m_bar;
    Clock& m_clock;
    std::unique_ptr<EngineTimer> m_timer; // irotimer1, 10 ms
    int m_startWidth = 1;
};

} // namespace keruna
