// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class CuePlayer;
class GameSession;
class HelpWindow;
class LeaderboardWindow;
class ProgressWindow;
class QLabel;
class RandomSource;
namespace toolkit {
class PictureBox;
class WindowSurface;
} // namespace toolkit

// The main window: the figure to click, the buttons, the mascot, the lives,
// the word, the score and the time bar. It shows the game its session plays.
class GameWindow : public QWidget
{
    Q_OBJECT

public:
    // boardFolder holds the leaderboard's file, with a trailing separator.
    GameWindow(CuePlayer &player, RandomSource &random, const QString &boardFolder);
    ~GameWindow() override;

private:
    void createControls();
    void connectSession();
    LeaderboardWindow &leaderboard();
    HelpWindow &help();
    ProgressWindow &progressWindow();

    CuePlayer &player_;
    const QString boardFolder_;
    GameSession *session_ = nullptr;

    toolkit::WindowSurface *surface_ = nullptr;
    toolkit::PictureBox *startButton_ = nullptr;
    toolkit::PictureBox *helpButton_ = nullptr;
    toolkit::PictureBox *mascot_ = nullptr;
    std::array<toolkit::PictureBox *, 2> lives_{};
    toolkit::PictureBox *timeBar_ = nullptr;
    QLabel *wordLabel_ = nullptr;
    QLabel *scoreLabel_ = nullptr;

    std::unique_ptr<LeaderboardWindow> leaderboardWindow_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::unique_ptr<ProgressWindow> progressWindow_;
};

// Where the program keeps its own files, the board among them.
QString programFilesFolder();
