// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board_file.h"

#include <QString>

#include <cstdint>

// Shared by board_writer, the program that board_crash_test kills while it
// writes, and the test itself, so that both know the two boards byte for byte.
namespace crash {

// One call of writeBoard: the table and the entry it inserts.
struct BoardWrite
{
    leaderboard::BoardTable table;
    qint16 insertPos = 0;
    QString name;
    qint32 score = 0;
};

// Board 0 or 1: every line differs between the two, and so does the length,
// so that a file cut or mixed from both cannot pass for either. Long names
// make each write a few hundred KiB, so a kill often lands inside one.
inline BoardWrite board(int which)
{
    BoardWrite write;
    const int nameLength = which == 0 ? 24000 : 17000;
    const QString unit = which == 0 ? QStringLiteral("小明Ann") : QStringLiteral("丽丽Bob9");
    for (int slot = 0; slot < leaderboard::BoardPlaces; ++slot) {
        write.table.boardNames[slot] = QString::number(slot) + unit.repeated(nameLength / unit.size());
        write.table.boardScores[slot] = qint16((which == 0 ? 900 : 800) - 10 * slot);
    }
    write.insertPos = which == 0 ? 3 : 7;
    write.name = (which == 0 ? QStringLiteral("新") : QStringLiteral("旧")).repeated(nameLength);
    write.score = write.table.boardScores[write.insertPos] + 5;
    return write;
}

inline bool writeBoard(const QString &path, const BoardWrite &write)
{
    return leaderboard::writeBoard(path, write.table, write.insertPos, write.name, write.score);
}

// The writer's progress, in a small file that both processes map. Write n
// (n = 1, 2, ...) writes board n % 2; started becomes n before writeBoard is
// called and finished becomes n once it has returned. The writer goes on
// from finished + 1, so the test sets both to the number of the board the
// file holds before it starts a writer.
struct Progress
{
    std::uint64_t started;
    std::uint64_t finished;
};

} // namespace crash
