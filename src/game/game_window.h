// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board_view.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <QWidget>

#include <array>
#include <utility>

class CuePlayer;
class GameSession;
class HelpWindow;
class LeaderboardWindow;
class PictureItem;
class ProgressWindow;
class QGraphicsRectItem;
class QGraphicsWidget;
class RandomSource;
class TextItem;
namespace progress {
class Tally;
}

// The main window: the figure to click, the buttons, the mascot, the lives,
// the word, the score and the time bar. It shows the game its session plays.
class GameWindow : public QWidget
{
    Q_OBJECT

public:
    // boardFolder holds the leaderboard's file, with a trailing separator.
    GameWindow(CuePlayer &player, RandomSource &random, const QString &boardFolder);
    // A practice game over these (figure, word index) pairs; none while a
    // game or practice is on.
    void startPractice(const QList<std::pair<int, int>> &words);

    // Reads again who plays now, for the title and the record.
    void playerChanged();
    // What a launcher or a later start asked for: "practice", or "child"
    // with the child's name. Carried out between games only; a game on or a
    // window open over it is left as it is.
    void carryOut(const QString &action, const QVariantList &parameter);

private:
    // A practice game of the weak words of the child who plays now.
    void practise();
    void createBoard();
    void connectSession();
    LeaderboardWindow &leaderboard();
    HelpWindow &help();
    ProgressWindow &progressWindow();

    CuePlayer &player_;
    const QString boardFolder_;
    GameSession *session_ = nullptr;
    progress::Tally *tally_ = nullptr;

    BoardView *board_ = nullptr;
    PictureItem *figure_ = nullptr;
    PictureItem *hint_ = nullptr;
    PictureItem *flash_ = nullptr;
    PictureItem *mascot_ = nullptr;
    std::array<PictureItem *, 2> lives_{};
    QGraphicsWidget *timeBar_ = nullptr;
    QGraphicsRectItem *timeSpent_ = nullptr;
    TextItem *wordLabel_ = nullptr;
    TextItem *scoreLabel_ = nullptr;
    BoardView::Control *startButton_ = nullptr;
    BoardView::Control *helpButton_ = nullptr;
    BoardView::Control *mascotButton_ = nullptr;

    // Made at their first opening; the window owns them.
    LeaderboardWindow *leaderboardWindow_ = nullptr;
    HelpWindow *helpWindow_ = nullptr;
    ProgressWindow *progressWindow_ = nullptr;
};

// Where the program keeps its own files, the board among them.
QString programFilesFolder();
