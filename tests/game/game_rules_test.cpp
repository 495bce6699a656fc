// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_rules.h"

#include <gtest/gtest.h>

#include <array>

using namespace game;

TEST(GameRules, WordSplitAndHotSpotInside)
{
    EXPECT_EQ(splitWordList(",arm,,leg"), QStringList({"", "arm", "", "leg"})) << "empty words were dropped";
    const QRect brow(QPoint(274, 158), QPoint(301, 169));
    // Just inside two corners, then on each edge.
    const float points[][3] = {{275, 159, 1}, {300.5f, 168.5f, 1}, {274, 160, 0},
                               {301, 160, 0}, {280, 158, 0},       {280, 169, 0}};
    for (auto [x, y, in] : points)
        EXPECT_EQ(insideHotSpot(brow, x, y), bool(in)) << "at " << x << "," << y;
}

TEST(GameRules, ShuffleReinsertsRatherThanSwaps)
{
    // By hand: [2,0,1,3] -> [2,1,0,3] -> [1,0,2,3] -> [0,2,3,1]; a swap shuffle ends at [3,0,2,1].
    std::array<qint16, 6> order{9, 9, 9, 9, 9, 9};
    const float fractions[] = {0.5f, 0.5f, 0.0f, 0.0f};
    size_t drawn = 0;
    reinsertionShuffle(order.data(), 4, [&] { return fractions[drawn++]; });
    EXPECT_EQ(order, (std::array<qint16, 6>{0, 2, 3, 1, 9, 9})) << "the order, and what lies past it";
}

TEST(GameRules, ScoreBonusStepAndClockPay)
{
    // 333.33 rounds down; 162.5 and 163.5 round to even.
    for (auto [fcount, level, ticks, want] : {std::tuple(0, 4, 3, 423), {40, 1, 16, 162}, {41, 1, 16, 164}})
        EXPECT_EQ(scoreAfterAnswer(fcount, qint16(level), qint16(ticks)), want) << "from " << fcount;
    // A thousand points since the last step are not enough.
    for (auto [fcount, from, level] :
         {std::tuple(1500, BonusState{1, 500}, 1), {1501, {1, 500}, 2}, {9000, {4, 0}, 4}})
        EXPECT_EQ(bonusAfterRound(fcount, from).bonusLevel, level) << "the level at " << fcount;
    EXPECT_EQ(bonusAfterRound(1501, {1, 500}).lastBonusScore, 1501) << "the step's score";
    EXPECT_EQ(completionBonus(450), -1500) << "the clock past 400";
}
