// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// Where the board's bytes are kept, for every user who shares its folder.
// A board that may be renamed over is replaced whole. One that may only be
// written (another user's, in a folder with the sticky bit) is written in
// place, after its new bytes went whole to "<board>.copy": a board cut short
// while it is rewritten holds the first bytes of that copy, and is read from
// the copy instead. Either way, a reader finds the old board or the new one.
namespace leaderboard {

QString boardCopyPath(const QString &boardPath);

// The board's bytes as they should be read, never through a link; null with
// a reason when the board cannot be read.
std::unique_ptr<QIODevice> openBoard(const QString &boardPath, QString *reason);

// Stores a board's bytes as above; false with a reason when the user may not
// write it, or a step failed (the old board then still reads whole).
bool storeBoard(const QString &boardPath, const QByteArray &bytes, QString *reason);

// A board the program wrote: ten lines, each ended by CR LF. A board cut
// short is never one.
bool isWholeBoard(const QByteArray &bytes);

} // namespace leaderboard
