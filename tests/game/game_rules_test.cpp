// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_rules.h"

#include <gtest/gtest.h>

#include <array>

using namespace game;

TEST(GameRules, WordsSplitAtEveryComma)
{
    EXPECT_EQ(splitWordList(",arm,,leg"), QStringList({"", "arm", "", "leg"})) << "empty words were dropped";
}

TEST(GameRules, OnlyTheInsideOfAHotSpotCounts)
{
    const QRect brow(QPoint(274, 158), QPoint(301, 169));
    for (auto [x, y, in] : {std::tuple(275.f, 159.f, true),
                            {300.5f, 168.5f, true},
                            {274.f, 160.f, false},
                            {301.f, 160.f, false},
                            {280.f, 158.f, false},
                            {280.f, 169.f, false}})
        EXPECT_EQ(insideHotSpot(brow, x, y), in) << "at " << x << "," << y;
}

TEST(GameRules, ShuffleReinsertsRatherThanSwaps)
{
    // By hand: [2,0,1,3] -> [2,1,0,3] -> [1,0,2,3] -> [0,2,3,1]; a swap shuffle ends at [3,0,2,1].
    std::array<qint16, 6> order{9, 9, 9, 9, 9, 9};
    const float fractions[] = {0.5f, 0.5f, 0.0f, 0.0f};
    size_t drawn = 0;
    reinsertionShuffle(order.data(), 4, [&] { return fractions[drawn++]; });
    EXPECT_EQ(order, (std::array<qint16, 6>{0, 2, 3, 1, 9, 9})) << "the order, and what lies past it";
    EXPECT_EQ(drawn, 4u) << "one fraction for each place";
}

TEST(GameRules, ScoreRoundsHalvesToEven)
{
    // 333.33 rounds down; 162.5 and 163.5 round to even.
    for (auto [fcount, level, ticks, want] : {std::tuple(0, 4, 3, 423), {40, 1, 16, 162}, {41, 1, 16, 164}})
        EXPECT_EQ(scoreAfterAnswer(fcount, qint16(level), qint16(ticks)), want) << "from " << fcount;
}

TEST(GameRules, BonusStepsPastAThousandPointsUpToFour)
{
    for (auto [fcount, from, level, last] : {std::tuple(1500, BonusState{1, 500}, 1, 500),
                                             {1501, {1, 500}, 2, 1501},
                                             {9000, {4, 2000}, 4, 9000}}) {
        const BonusState to = bonusAfterRound(fcount, from);
        EXPECT_EQ(to.bonusLevel, level) << "the level at " << fcount;
        EXPECT_EQ(to.lastBonusScore, last) << "the score marked at " << fcount;
    }
}

TEST(GameRules, TheClockPaysBelow400)
{
    for (auto [clock, bonus] : {std::pair(250, 4500), {400, 0}, {450, -1500}})
        EXPECT_EQ(completionBonus(qint16(clock)), bonus) << "at " << clock;
}
