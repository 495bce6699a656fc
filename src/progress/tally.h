// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QMap>
#include <QObject>

#include <utility>

namespace progress {

// Counts a game's questions as they are asked and answered, and adds them to
// the record when the game ends. The record is read only then, never at
// start-up.
class Tally : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The record the answers go to: the child's who plays now. Answers counted
    // for the child before are saved to theirs first.
    void setRecordPath(const QString &path);

    void questionAsked(int figureNo, int wordIndex);
    // Each judged click on the asked word; only the first after an ask can
    // count as right.
    void clickJudged(int figureNo, int wordIndex, bool hit);
    // Saves what was counted; on a failed save it is kept for the next one.
    void gameEnded();

private:
    struct Change
    {
        int asked = 0;
        int right = 0;
        QDateTime lastAsked;
        bool lastMissed = false;
    };
    QString path_;
    QMap<std::pair<int, int>, Change> changes_;
    std::pair<int, int> askedWord_{0, -1};
    bool firstClickPending_ = false;
};

} // namespace progress
