// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The leaderboard: the ten best names and scores, best first.
namespace leaderboard {

constexpr int BoardPlaces = 10;

// A stored score is 16 bits, as the file has always held them.
struct BoardEntry
{
    QString name;
    qint16 score = 0;

    bool operator==(const BoardEntry &) const = default;
};

// Index 0 is place 1. A new board holds empty names and scores of 0.
using Board = std::array<BoardEntry, BoardPlaces>;

// The board a first game makes: every name "0", every score 0.
Board defaultBoard();

// The first place from the top whose score is strictly below score, if any.
std::optional<int> placeFor(const Board &board, qint32 score);

} // namespace leaderboard
