#pragma once

#include <QtGlobal>

#include <random>

namespace keruna {

// One generator for the whole program, seeded once. Re-seeding from the clock before
// every draw would repeat values within a tick; independent uniform draws are what the
// engines need.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1).
    virtual double nextUnit() = 0;
};

// Puts a list in random order, every order equally likely (Fisher–Yates).
template <class List> void shuffle(List& list, RandomSource& random)
{
    for (qsizetype i = list.size() - 1; i > 0; --i) {
        auto j = qsizetype(random.nextUnit() * double(i + 1));
        list.swapItemsAt(i, j > i ? i : j);
    }
}

class StdRandomSource final : public RandomSource {
public:
    StdRandomSource()
        : m_engine(std::random_device {}())
    {
    }
    explicit StdRandomSource(unsigned seed)
        : m_engine(seed)
    {
    }
    double nextUnit() override
    {
        return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace keruna
