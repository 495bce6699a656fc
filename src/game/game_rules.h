// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

// The game's rules that touch no control, over plain values.
namespace game {

// Words between single commas, nothing trimmed: ",a" gives "" and "a".
QStringList splitWordList(const QString &list);

// Only the inside counts: a click on the rectangle's edge is a miss.
bool insideHotSpot(const QRect &spot, float x, float y);

// Fills order[0 .. count-1] with 0 .. count-1, then takes the entry at a
// random position j out and re-inserts it at position i, for each i in turn.
// order must hold at least count entries; the rest are left alone.
void reinsertionShuffle(qint16 *order, qint16 count, const std::function<float()> &nextFraction);

// The score after a scoring answer: the speed part is a double division and
// the sum is rounded to the nearest whole number, halves to even.
qint32 scoreAfterAnswer(qint32 fcount, qint16 bonusLevel, qint16 answerTicks);

struct BonusState
{
    qint16 bonusLevel = 1;
    qint16 lastBonusScore = 0;
};

// The round-end bonus step: more than 1000 points since the last step raise
// the level, at most to 4, and mark the score.
BonusState bonusAfterRound(qint32 fcount, BonusState bonus);

// Points for a completed game; negative once the clock is past 400.
qint16 completionBonus(qint16 timeBarPos);

} // namespace game
