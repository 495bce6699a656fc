// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

using namespace game;

TEST(WordList, SplitsAtEveryCommaAndTrimsNothing)
{
    EXPECT_EQ(splitWordList("brow,chin"), QStringList({"brow", "chin"}));
    EXPECT_EQ(splitWordList(",arm,,leg"), QStringList({"", "arm", "", "leg"}));
}

TEST(HotSpot, ReadsFourFieldsAndJudgesOnlyTheInside)
{
    const HotSpot brow = readHotSpot("274,158,301,169");
    EXPECT_EQ(std::tuple(brow.left, brow.top, brow.right, brow.bottom), std::tuple(274, 158, 301, 169));
    EXPECT_TRUE(insideHotSpot(brow, 275, 159) && insideHotSpot(brow, 300.5f, 168.5f));
    for (auto [x, y] :
         {std::pair(301.f, 160.f), {274.f, 160.f}, {280.f, 158.f}, {280.f, 169.f}, {600.f, 160.f}})
        EXPECT_FALSE(insideHotSpot(brow, x, y)) << x << "," << y;
    // The rest of the text after the third comma is the bottom, whole.
    EXPECT_EQ(readHotSpot("1,2,3,4,5").bottom, 0);
    EXPECT_EQ(readHotSpot("1,2,x,4").right, 0);
}

TEST(Shuffle, ReinsertsTheEntryTakenAndGivesPermutationsInsideTheCount)
{
    std::array<qint16, 6> order{9, 9, 9, 9, 9, 9};
    const float fractions[] = {0.5f, 0.5f, 0.0f, 0.0f};
    size_t next = 0;
    reinsertionShuffle(order.data(), 4, [&] { return fractions[next++]; });
    // By hand: [2,0,1,3] -> [2,1,0,3] -> [1,0,2,3] -> [0,2,3,1]; a swap shuffle ends at [3,0,2,1].
    EXPECT_EQ(order, (std::array<qint16, 6>{0, 2, 3, 1, 9, 9}));
    EXPECT_EQ(next, 4u);

    std::mt19937 engine(7);
    std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
    // Sorted, the first ten are 0..9 and the entries from the count up stay 0.
    const std::array<qint16, 62> sorted{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int trial = 0; trial < 200; ++trial) {
        std::array<qint16, 62> order{};
        reinsertionShuffle(order.data(), 10, [&] { return fraction(engine); });
        std::sort(order.begin(), order.begin() + 10);
        EXPECT_EQ(order, sorted);
    }
    // The integer part, not the nearest: the largest fraction picks the last entry.
    std::array<qint16, 62> full{};
    reinsertionShuffle(full.data(), 62, [] { return std::nextafter(1.0f, 0.0f); });
    EXPECT_EQ(full[0], 61);
}

TEST(Score, SpeedPartRoundsHalfToEvenAndTheBonusStepsPastAThousandUpToFour)
{
    EXPECT_EQ(scoreAfterAnswer(0, 4, 3), 423); // 333.33 rounds down
    // 100 + 62.5 and 101 + 62.5, the bonus terms taken out again.
    EXPECT_EQ(scoreAfterAnswer(100 - 60, 1, 16), 162);
    EXPECT_EQ(scoreAfterAnswer(101 - 60, 1, 16), 164);

    for (auto [fcount, from, level, last] : {std::tuple(1500, BonusState{1, 500}, 1, 500),
                                             {1501, {1, 500}, 2, 1501},
                                             {9000, {4, 2000}, 4, 9000}}) {
        const BonusState to = bonusAfterRound(fcount, from);
        EXPECT_TRUE(to.bonusLevel == level && to.lastBonusScore == last) << fcount;
    }
}
