#include "common/clock.h"
#include "support/virtualtime.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace keruna;

TEST(VirtualTimers, FireInTimeOrderAndRestartWhenTheIntervalIsSet)
{
    test::VirtualClock clock;
    test::VirtualTimerFactory factory(clock);
    std::vector<std::pair<char, qint64>> fired;
    auto a = factory.createTimer();
    auto b = factory.createTimer();
    const qint64 t0 = clock.nowMs();
    a->setOnTimeout([&] { fired.emplace_back('a', clock.nowMs() - t0); });
    b->setOnTimeout([&] {
        fired.emplace_back('b', clock.nowMs() - t0);
        b->setInterval(250); // the next phase is timed from here
    });
    a->setInterval(300);
    b->setInterval(100);
    a->setEnabled(true);
    b->setEnabled(true);
    factory.advance(400);
    const std::vector<std::pair<char, qint64>> expected = {{'b', 100}, {'a', 300}, {'b', 350}};
    EXPECT_EQ(fired, expected);
    b->setEnabled(false);
    factory.advance(1000);
    EXPECT_EQ(fired.size(), 6u); // only a, at 600, 900 and 1200
    EXPECT_EQ(fired.back(), std::make_pair('a', qint64(1200)));
    EXPECT_EQ(clock.secondsSinceMidnight() * 1000, double(t0 + 1400));
}

TEST(QtTimers, SettingTheIntervalRestartsTheCount)
{
    QtTimerFactory factory;
    auto timer = factory.createTimer();
    QElapsedTimer clock;
    qint64 restartedAt = -1;
    qint64 firedAt = -1;
    timer->setOnTimeout([&] {
        firedAt = clock.elapsed();
        timer->setEnabled(false);
    });
    clock.start();
    timer->setInterval(100);
    timer->setEnabled(true);
    while (clock.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_EQ(firedAt, -1);
    restartedAt = clock.elapsed();
    timer->setInterval(100); // restarts the count: the tick comes 100 ms from now
    while (firedAt < 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_GE(firedAt, 0);
    EXPECT_GE(firedAt - restartedAt, 99);
    EXPECT_FALSE(timer->isEnabled());
}

// A tick's own work and lateness must not push later phases back: each phase set from a
// tick is timed from when that tick was due, unless the tick waited (for speech) and says
// so. Driven on both kinds of timer, as the engines run on either.
TEST(VirtualTimers, APhaseSetFromATickCountsFromItsDeadlineUnlessTheTickWaited)
{
    test::VirtualClock clock;
    test::VirtualTimerFactory factory(clock);
    auto timer = factory.createTimer();
    const qint64 t0 = clock.nowMs();
    std::vector<qint64> fired;
    timer->setOnTimeout([&] {
        fired.push_back(clock.nowMs() - t0);
        clock.setNowMs(clock.nowMs() + 30); // work (or an utterance) inside the tick
        if (fired.size() == 2)
            timer->countFromNow(); // the tick waited for speech: the next phase follows it
        timer->setInterval(100);
    });
    timer->setInterval(100);
    timer->setEnabled(true);
    factory.advance(440);
    const std::vector<qint64> expected = {100, 200, 330, 430};
    EXPECT_EQ(fired, expected);
}

TEST(QtTimers, PhasesSetFromBusyTicksKeepToTheirDeadlines)
{
    QtTimerFactory factory;
    auto timer = factory.createTimer();
    QElapsedTimer clock;
    std::vector<qint64> fired;
    timer->setOnTimeout([&] {
        fired.push_back(clock.nsecsElapsed());
        QElapsedTimer busy;
        busy.start();
        // A tick whose work takes 30 ms; the fifth stalls past its whole next phase.
        const int work = fired.size() == 5 ? 150 : 30;
        while (busy.elapsed() < work) { }
        if (fired.size() == 7)
            timer->countFromNow(); // waited for a word to be spoken
        if (fired.size() == 10)
            timer->setEnabled(false);
        else
            timer->setInterval(100);
    });
    clock.start();
    timer->setInterval(100);
    timer->setEnabled(true);
    while (timer->isEnabled() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_EQ(fired.size(), 10u);
    // Due at 100…500; the stall ends at 650, and the next phase runs its whole length from
    // there (not at once): 750, 850; the seventh's phase follows its word: 980, 1080,
    // 1180. Timed from each tick's end the tenth would come at 1420. The margin above is
    // for a busy machine, where a tick may come late but no later tick inherits it.
    const auto ms = [&](size_t i) { return fired[i] / 1e6; };
    EXPECT_GE(ms(5) - ms(4), 249);
    EXPECT_GE(ms(7) - ms(6), 129);
    EXPECT_GE(ms(9), 1179);
    EXPECT_LT(ms(9), 1280);
}
