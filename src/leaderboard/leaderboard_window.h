// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board.h"
#include "dialog.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class CuePlayer;
class QLabel;
class QLineEdit;
class QPushButton;

// The leaderboard window: shows the board, plays a cue and, for a score that
// earns a place, takes the player's name. Escape leaves it open: the name
// box is the one way out besides the close box.
class LeaderboardWindow : public toolkit::Dialog
{
    Q_OBJECT

public:
    // boardFolder is the folder of the board file, with its trailing
    // separator.
    LeaderboardWindow(QWidget *opener, const QString &boardFolder, CuePlayer &player);

    // Shows the board for a game's final score, and takes the player's name
    // when the score earns a place.
    void open(qint32 score);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showBoard();
    void confirmName();

    const QString boardPath_;
    CuePlayer &player_;

    QLabel *promptLabel_ = nullptr;
    QLineEdit *nameEdit_ = nullptr;
    QPushButton *confirmButton_ = nullptr;
    QList<QLabel *> nameLabels_;
    QList<QLabel *> scoreLabels_;

    qint32 score_ = 0;
    leaderboard::Board board_;
    // The place the name goes to, if the score earns one.
    std::optional<int> place_;
    // Lives as long as the window: a player may read from it while the cue plays.
    QByteArray cue_;
};
