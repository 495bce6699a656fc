// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tally.h"

#include "word_record.h"

namespace progress {

void Tally::setRecordPath(const QString &path)
{
    if (path == path_)
        return;
    gameEnded();
    // What still cannot be saved was the other child's.
    changes_.clear();
    path_ = path;
}

void Tally::questionAsked(int figureNo, int wordIndex)
{
    askedWord_ = {figureNo, wordIndex};
    firstClickPending_ = true;
    Change &change = changes_[askedWord_];
    change.asked += 1;
    // Unanswered counts as missed, as it does in the share right.
    change.lastMissed = true;
    // Whole seconds, as the record keeps them.
    change.lastAsked = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
}

void Tally::clickJudged(int figureNo, int wordIndex, bool hit)
{
    if (!firstClickPending_ || askedWord_ != std::pair(figureNo, wordIndex))
        return;
    firstClickPending_ = false;
    Change &change = changes_[askedWord_];
    change.lastMissed = !hit;
    if (hit)
        change.right += 1;
}

void Tally::gameEnded()
{
    firstClickPending_ = false;
    if (changes_.isEmpty() || path_.isEmpty())
        return;
    Record record = readRecord(path_);
    for (WordCount &entry : record) {
        const auto change = changes_.constFind({entry.figureNo, entry.wordIndex});
        if (change == changes_.cend())
            continue;
        entry.asked += change->asked;
        entry.right += change->right;
        // Halved rather than stopped at the limit, so that the share right
        // stays true and recent answers still move it.
        while (entry.asked > CountLimit) {
            entry.asked /= 2;
            entry.right /= 2;
        }
        entry.lastAsked = change->lastAsked;
        entry.lastMissed = change->lastMissed;
    }
    if (writeRecord(record, path_))
        changes_.clear();
}

} // namespace progress
