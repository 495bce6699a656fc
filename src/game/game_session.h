// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game_rules.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <utility>

class CuePlayer;
class RandomSource;

// The game played on the figures: its state, its clocks and the rule for
// each event. It shows nothing itself; its signals say what is to be seen.
// A game is four rounds, one per figure and level: figure 1 then 2 at
// level 1, then both again at level 2. A practice game asks only the words
// it is given, as at level 1, with no clock, score or lives.
class GameSession : public QObject
{
    Q_OBJECT

public:
    // Asking while a word waits for its click; Pausing between two rounds.
    enum class Phase { Idle, Asking, Pausing };
    // What holds the game after a click, timed by holdTimer: a right
    // answer's flash and then its sound, or a miss's sound. Input that comes
    // meanwhile waits for the hold's end; each timer counts at most one tick
    // in it, at its end, as a timer of a busy thread fires once when it is
    // free again.
    enum class Hold { None, Flash, HitSound, MissSound };

    GameSession(CuePlayer &player, RandomSource &random, QObject *parent = nullptr);

    Phase phase() const { return phase_; }
    Hold hold() const { return hold_; }
    int level() const { return level_; }
    int figureNo() const { return figureNo_; }
    int livesLeft() const { return livesLeft_; }
    qint32 score() const { return score_; }
    // The word of the current or last question, and its part's hot-spot.
    int askedWord() const { return order_.value(questionIndex_, -1); }
    QRect askedSpot() const { return spots_.value(askedWord()); }

    void start();
    // Words as (figure, index in its word list) pairs, in any order: each is
    // asked on its figure, figure 1's first, until it is clicked right.
    void startPractice(const QList<std::pair<int, int>> &words);
    bool practising() const { return practising_; }
    // The mascot says the word again.
    void repeatWord();
    // Stops the clock until the next round starts it.
    void stopClock();
    // A press at (x, y) on the figure.
    void click(float x, float y);
    void clockTick();
    void pauseTick();
    void mascotTick();
    // The hold timer's tick: the hold in progress is over.
    void holdEnded();

signals:
    void gameStarted();
    void practiceStarted();
    void roundStarted(int figureNo);
    void questionAsked(int figureNo, int wordIndex);
    void wordAsked(const QString &word);
    // The word's picture over its part, as a hint at level 1.
    void hintShown(int picture, QPoint at);
    void clickJudged(int figureNo, int wordIndex, bool hit);
    // The word's picture over its part after a hit; flashEnded takes it
    // away when the hit's hold is over.
    void hitFlashed(int picture, QPoint at);
    void flashEnded();
    void livesChanged(int livesLeft);
    void scoreChanged(qint32 score);
    // The time bar's step at position, from 1 on.
    void clockStepped(int position);
    void mascotChanged(int picture);
    void gameEnded(qint32 score, bool completed);
    void practiceEnded();

private:
    void beginRound();
    void askQuestion();
    void speak();
    void judgeHit(int word);
    void runDueTicks();
    void goOnAfterHit();
    void startHold(Hold hold, std::chrono::milliseconds length);
    bool waitsForHold(std::function<void()> input);
    void tickLate(QTimer &timer);
    void resume();
    void endRound();
    void endGame();
    void endPractice();

    CuePlayer &player_;
    RandomSource &random_;
    QTimer gameClock_{this};
    QTimer roundPause_{this};
    QTimer mascotTimer_{this};
    QTimer holdTimer_{this};

    Phase phase_ = Phase::Idle;
    Hold hold_ = Hold::None;
    QList<std::function<void()>> waitingInput_;
    // The timers that came due in the hold, in the order they did.
    QList<QTimer *> lateTicks_;
    bool clockMissedMore_ = false;
    bool completed_ = false;
    bool practising_ = false;
    // The words to practise by figure, each figure's in list order.
    QMap<int, QList<qint16>> practiceWords_;
    int level_ = 1;
    int figureNo_ = 1;
    int livesLeft_ = 2;
    qint32 score_ = 0;
    game::BonusState bonus_;
    QStringList words_;
    QList<QRect> spots_;
    QList<qint16> order_;
    int questionIndex_ = 0;
    // Grows with each answer and each clock tick; quick answers score more.
    int answerTicks_ = 0;
    int timeBarPos_ = 1;
    int pauseTicks_ = 0;
    QByteArray wordSound_;
};
