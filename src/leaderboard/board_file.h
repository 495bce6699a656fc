// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The leaderboard file: ten lines of name, comma and score, best first, CR LF
// after each, names in code page 936 (so that a board from Chinese Windows
// reads and is rewritten unchanged) and characters it lacks in GB18030's four
// bytes.
namespace leaderboard {

constexpr int BoardPlaces = 10;

// Slot 0 is place 1. A new table holds empty names and scores of 0; reading
// overwrites only the slots the file gives usable values for.
struct BoardTable
{
    std::array<QString, BoardPlaces> boardNames;
    std::array<qint16, BoardPlaces> boardScores{};
};

// "mirafon" + grd + ".tmp", to be appended to the program folder.
QString boardFileName(qint16 grd);

// Fills the table from the file; false (table untouched) when it cannot be
// opened for reading. Lines after the tenth and any line's bytes past the
// first MiB are skipped unread into the table.
bool readBoard(const QString &boardPath, BoardTable &table);

// Sets every slot to name "0", score 0 and writes that as the file, unless
// something already stands at boardPath (a file that could not be read is
// left alone). Returns whether the file was written.
bool createDefaultBoard(const QString &boardPath, BoardTable &table);

// The first slot from the top whose score is strictly below newScore, or -1.
qint16 findInsertPos(const BoardTable &table, qint32 newScore);

// Writes the table with the new entry at insertPos, dropping the old tenth
// place. The old file is replaced atomically or, on failure, kept as it was.
// Commas in the name are stored as "，" and control characters as spaces; a
// name too long for the reader's MiB a line is cut to fit.
bool writeBoard(const QString &boardPath, const BoardTable &table, qint16 insertPos, const QString &name,
                qint32 newScore);

enum class EntryOutcome { Saved, NoPlace, Failed };

// Adds a confirmed name to the board as it stands now, not as the window read
// it: another copy of the game may have stored names since. Under a lock
// beside the board, the file is read again over a copy of shown and the score
// ranked against it; while the board still reads as shown, shownPos stands
// (a board made at the opening gives any score place one). A board gone since
// is made anew as an opening makes it. Nothing is written for NoPlace or
// Failed (a lock not taken within a few seconds, a board that cannot be read
// or written).
EntryOutcome addEntry(const QString &boardPath, const BoardTable &shown, qint16 shownPos, const QString &name,
                      qint32 newScore);

} // namespace leaderboard
