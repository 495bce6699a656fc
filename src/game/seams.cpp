// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "seams.h"

#include <chrono>

RandomSource::~RandomSource() = default;

void ClockRandom::seedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

float ClockRandom::nextFraction()
{
    // 24 random bits fill a float's mantissa exactly, so the result can never
    // round up to 1 (as std::generate_canonical<float> may).
    return float(engine_() >> 8) * (1.0f / 16777216.0f);
}
