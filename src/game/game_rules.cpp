// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_rules.h"

#include <algorithm>
#include <cmath>

namespace game {

QStringList splitWordList(const QString &list)
{
    return list.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

bool insideHotSpot(const QRect &spot, float x, float y)
{
    return spot.left() < x && x < spot.right() && spot.top() < y && y < spot.bottom();
}

void reinsertionShuffle(qint16 *order, qint16 count, const std::function<float()> &nextFraction)
{
    for (qint16 i = 0; i < count; ++i)
        order[i] = i;
    for (int i = 0; i < count; ++i) {
        // A source's fraction outside [0, 1) must not reach outside the order.
        const int j = std::clamp(int(nextFraction() * count), 0, count - 1);
        const qint16 taken = order[j];
        if (j < i) {
            for (int k = j; k < i; ++k)
                order[k] = order[k + 1];
            order[i] = taken;
        } else if (j > i) {
            for (int k = j; k > i; --k)
                order[k] = order[k - 1];
            order[i] = taken;
        }
    }
}

qint32 scoreAfterAnswer(qint32 fcount, qint16 bonusLevel, qint16 answerTicks)
{
    const double sum = fcount + 50 + 10 * bonusLevel + 1000.0 / answerTicks;
    // The default rounding mode rounds halves to even.
    return qint32(std::nearbyint(sum));
}

BonusState bonusAfterRound(qint32 fcount, BonusState bonus)
{
    if (fcount - bonus.lastBonusScore > 1000) {
        bonus.bonusLevel = qint16(std::min(bonus.bonusLevel + 1, 4));
        bonus.lastBonusScore = qint16(fcount);
    }
    return bonus;
}

qint16 completionBonus(qint16 timeBarPos)
{
    return qint16((400 - timeBarPos) * 30);
}

} // namespace game
