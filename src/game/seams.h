// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <random>

// What the game needs from the outside world besides sound and windows, so
// that tests can run a whole game in a known order.

// Uniform fractions 0 <= r < 1, from a generator seeded from the clock.
class RandomSource
{
public:
    virtual ~RandomSource();
    virtual void seedFromClock() = 0;
    virtual float nextFraction() = 0;
};

class ClockRandom : public RandomSource
{
public:
    void seedFromClock() override;
    float nextFraction() override;

private:
    std::mt19937 engine_;
};
