// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The board's bytes: ten lines of name, comma and score, best first, CR LF
// after each, in the board's encoding (board_codec.h).
namespace leaderboard {

// The reader keeps this much of a line, and the writer fits a line into it.
constexpr qsizetype MaxLineBytes = 1024 * 1024;

// Reads a board's bytes as they come, in pieces of any size; a place that
// they give no line or no usable value keeps what the start board held there.
// Lines end at CR, CR LF or a lone LF (a board saved by a Linux text editor
// keeps its ten lines); of each line only the first MiB is kept, so a huge
// file costs bounded memory. A name is what stands before a line's first
// comma; a line without one is a score. A score that is not a 16-bit whole
// number, with at most blanks around it and a sign, leaves the place's score.
class BoardReader
{
public:
    explicit BoardReader(const Board &start)
        : board_(start)
    {}

    void read(QByteArrayView bytes);
    // Ten lines are read: what follows is never used.
    bool done() const { return place_ >= BoardPlaces; }
    // The board read, with a last line that has no end.
    Board finish();

private:
    void readLine();

    Board board_;
    int place_ = 0;
    QByteArray line_;
    bool skipping_ = false; // past the kept part of an overlong line
    bool afterCr_ = false;  // an LF right here belongs to the CR before it
    bool lineOpen_ = false; // bytes seen since the last line end
};

// All of a board's bytes at once, as BoardReader reads them.
Board boardFromBytes(QByteArrayView bytes, const Board &start);

// The board as it is written; nothing when a name does not encode.
std::optional<QByteArray> boardBytes(const Board &board);

// The board with a typed name and a new score at place (0 to 9), the old
// tenth place dropped. The score is written in full, past 16 bits too.
// Commas in the name are stored as "，" and control characters as spaces;
// a name too long for the reader's MiB a line is cut to fit.
std::optional<QByteArray> boardBytes(const Board &board, int place, const QString &typedName, qint32 score);

} // namespace leaderboard
