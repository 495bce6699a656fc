// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board.h"

#include <QString>

// The board's file, read and written whole; what cannot be is a warning on
// tovasel.board. board_store.h says how its bytes are kept.
namespace leaderboard {

// "mirafon1.tmp", to be appended to the board's folder.
QString boardFileName();

// Reads the file over board; false (board untouched) when it cannot be
// opened for reading. Reading stops at the tenth line, so a huge file is
// never read whole.
bool readBoard(const QString &boardPath, Board &board);

// Writes the default board as the file, unless something already stands at
// boardPath (a file that could not be read is left alone). Returns whether
// the file was written.
bool createDefaultBoard(const QString &boardPath);

// Writes board with a typed name and a new score at place, as boardBytes
// makes it. Either the new board is stored or the old one stays as it was.
bool writeBoard(const QString &boardPath, const Board &board, int place, const QString &typedName,
                qint32 score);

} // namespace leaderboard
