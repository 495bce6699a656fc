// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board.h"

namespace leaderboard {

Board defaultBoard()
{
    Board board;
    board.fill({QStringLiteral("0"), 0});
    return board;
}

std::optional<int> placeFor(const Board &board, qint32 score)
{
    for (int place = 0; place < BoardPlaces; ++place) {
        if (board[place].score < score)
            return place;
    }
    return std::nullopt;
}

} // namespace leaderboard
