// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <random>

// What the game needs from the outside world besides sound and windows, so
// that tests can run a whole game at once and in a known order.

// Holds the user-interface thread; nothing else runs meanwhile.
class Hold
{
public:
    virtual ~Hold();
    virtual void hold(int ms) = 0;
};

// Uniform fractions 0 <= r < 1, from a generator seeded from the clock.
class RandomSource
{
public:
    virtual ~RandomSource();
    virtual void seedFromClock() = 0;
    virtual float nextFraction() = 0;
};

class SleepHold : public Hold
{
public:
    void hold(int ms) override;
};

class ClockRandom : public RandomSource
{
public:
    void seedFromClock() override;
    float nextFraction() override;

private:
    std::mt19937 engine_;
};
