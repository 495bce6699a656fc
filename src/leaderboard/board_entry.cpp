// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_entry.h"

#include "board_file.h"
#include "board_log.h"

#include <QFileInfo>
#include <QLockFile>

namespace leaderboard {
namespace {

// A save takes well under a second even for a board of long names; a lock
// older than this belongs to a copy that hung.
constexpr int StaleLockMs = 10000;
// The window waits this long at most before it says the name was not saved.
constexpr int LockWaitMs = 3000;

} // namespace

EntryOutcome addEntry(const QString &boardPath, const Board &shown, std::optional<int> shownPlace,
                      const QString &typedName, qint32 score)
{
    QLockFile lock(boardPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        qCWarning(lcBoard, "cannot lock %s: %s", qUtf8Printable(boardPath),
                  lock.error() == QLockFile::LockFailedError ? "another copy holds it"
                                                             : "no lock file can be made");
        return EntryOutcome::Failed;
    }
    Board now = shown;
    std::optional<int> place = shownPlace;
    if (!readBoard(boardPath, now)) {
        const QFileInfo existing(boardPath);
        if (existing.exists() || existing.isSymLink())
            return EntryOutcome::Failed;
        now = defaultBoard();
        place = 0;
    } else if (now != shown) {
        place = placeFor(now, score);
    }
    if (!place)
        return EntryOutcome::NoPlace;
    return writeBoard(boardPath, now, *place, typedName, score) ? EntryOutcome::Saved : EntryOutcome::Failed;
}

} // namespace leaderboard
