// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tally.h"

#include "word_record.h"

namespace progress {

void Tally::questionAsked(int figureNo, int wordIndex)
{
    askedWord_ = {figureNo, wordIndex};
    firstClickPending_ = true;
    Change &change = changes_[askedWord_];
    change.asked += 1;
    // Whole seconds, as the record keeps them.
    change.lastAsked = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
}

void Tally::clickJudged(int figureNo, int wordIndex, bool hit)
{
    if (!firstClickPending_ || askedWord_ != std::pair(figureNo, wordIndex))
        return;
    firstClickPending_ = false;
    if (hit)
        changes_[askedWord_].right += 1;
}

void Tally::gameEnded()
{
    firstClickPending_ = false;
    if (changes_.isEmpty())
        return;
    Record record = readRecord();
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
    }
    if (writeRecord(record))
        changes_.clear();
}

} // namespace progress
