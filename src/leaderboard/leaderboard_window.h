// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

class CuePlayer;
class QLabel;
class QLineEdit;
class QPushButton;

// The leaderboard window: shows the board, plays a cue and, for a score that
// earns a place, takes the player's name. It has no parent, since it must
// stay usable while it keeps its opener disabled; the opener owns it, and
// while it is open the opener's window owns its window.
class LeaderboardWindow : public QWidget
{
    Q_OBJECT

public:
    // sPath is the opener's program folder (with its trailing separator),
    // read anew at every opening.
    LeaderboardWindow(QWidget *opener, const QString &sPath, CuePlayer &player);

    // Shows the board for a game's final score, not modal, and takes the
    // player's name when the score earns a place.
    void open(qint32 score);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void Text1_KeyPress(qint16 KeyAscii);
    void Command1_Click();

    QWidget *opener_ = nullptr;
    const QString &sPath_;
    CuePlayer &player_;

    QLabel *Labt = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QList<QLabel *> Label1;
    QList<QLabel *> Label2;

    qint32 score_ = 0;
    leaderboard::BoardTable table_;
    qint16 insertPos = -1;
    QString boardPath;
    // Lives as long as the window: a player may read from it while the cue plays.
    QByteArray cueBytes;
};
