// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class CuePlayer;
class LeaderboardWindow;
class HelpWindow;
class Hold;
class QLabel;
class QTimer;
class RandomSource;
namespace toolkit {
class PictureBox;
class WindowSurface;
} // namespace toolkit

// The game's whole state. Flags hold 0 for false and -1 for true.
struct GameState
{
    QString sPath;
    qint32 fcount = 0;
    qint16 gameRunning = 0;
    qint16 gameCompleted = 0;
    qint16 level = 0;
    qint16 figureNo = 0;
    qint16 livesLeft = 0;
    qint16 bonusLevel = 0;
    qint16 lastBonusScore = 0;
    qint16 questionIndex = 0;
    std::array<qint16, 62> questionOrder{};
    std::array<QString, 62> wordList{};
    qint16 wordCount = 0;
    std::array<QRect, 21> spots{};
    qint16 answerTicks = 0;
    qint16 timeBarPos = 0;
    qint16 pauseTicks = 0;
    QByteArray wordSound;
    QByteArray effectSound;
};

// The main window: the figure to click, the buttons, the mascot, the lives,
// the word, the score and the time bar, and the game that runs on them.
class GameWindow : public QWidget
{
    Q_OBJECT

public:
    GameWindow(CuePlayer &player, Hold &hold, RandomSource &random);
    ~GameWindow() override;

    const GameState &state() const { return s_; }

public slots:
    void PicB_Click();
    void PicBh_Click();
    void Picboy_Click();
    void Form_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, float X, float Y);
    void Timer1_Timer();
    void Timer2_Timer();
    void TimerBoy_Timer();

private:
    friend class GameWindowPeer;

    void Form_Load();
    void placeWindow();
    void resetGameCounters();
    void List1_Click();
    void BeginRound();
    void ShuffleOrder(qint16 count);
    void AskQuestion();
    void EndGame();

    void paintWordPicture(qint16 w);
    void play(const QByteArray &wav, bool wait);
    LeaderboardWindow &leaderboard();
    HelpWindow &help();

    CuePlayer &player_;
    Hold &hold_;
    RandomSource &random_;
    GameState s_;

    toolkit::WindowSurface *surface_ = nullptr;
    toolkit::PictureBox *PicB = nullptr;
    toolkit::PictureBox *PicBh = nullptr;
    toolkit::PictureBox *Picboy = nullptr;
    std::array<toolkit::PictureBox *, 2> Pics{};
    toolkit::PictureBox *PicLong = nullptr;
    toolkit::PictureBox *PicAvW = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *TimerBoy = nullptr;

    std::unique_ptr<LeaderboardWindow> leaderboardWindow_;
    std::unique_ptr<HelpWindow> helpWindow_;
};

// Where the program keeps its own files, the board among them.
QString programFilesFolder();
