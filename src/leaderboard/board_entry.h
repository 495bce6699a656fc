// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board.h"

#include <QString>

#include <optional>

namespace leaderboard {

enum class EntryOutcome { Saved, NoPlace, Failed };

// Adds a confirmed name to the board as it stands now, not as the window read
// it: another copy of the game may have stored names since. Under a lock
// beside the board, the file is read again over a copy of shown and the score
// ranked against it; while the board still reads as shown, shownPlace stands
// (a board made at the opening gives any score place one). A board gone since
// is made anew as an opening makes it. Nothing is written for NoPlace or
// Failed (a lock not taken within a few seconds, a board that cannot be read
// or written).
EntryOutcome addEntry(const QString &boardPath, const Board &shown, std::optional<int> shownPlace,
                      const QString &typedName, qint32 score);

} // namespace leaderboard
