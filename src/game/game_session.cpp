// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_session.h"

#include "catalogue.h"
#include "cue_player.h"
#include "seams.h"

namespace {

constexpr int FlashMs = 400;
constexpr int PauseTickCount = 6;
// The clock's last step; the tick after it ends the game.
constexpr int LastClockPos = 478;
constexpr int LastLevel = 2;
constexpr int LastFigure = 2;

void setUpTimer(QTimer &timer, const char *name, int ms)
{
    timer.setObjectName(QLatin1String(name));
    timer.setInterval(ms);
    // Coarse timers drift by up to 5 %, and the game clock counts ticks.
    timer.setTimerType(Qt::PreciseTimer);
}

} // namespace

GameSession::GameSession(CuePlayer &player, Hold &hold, RandomSource &random, QObject *parent)
    : QObject(parent)
    , player_(player)
    , hold_(hold)
    , random_(random)
{
    setUpTimer(gameClock_, "gameClock", 300);
    setUpTimer(roundPause_, "roundPause", 500);
    setUpTimer(mascotTimer_, "mascotTimer", 500);
    connect(&gameClock_, &QTimer::timeout, this, &GameSession::clockTick);
    connect(&roundPause_, &QTimer::timeout, this, &GameSession::pauseTick);
    connect(&mascotTimer_, &QTimer::timeout, this, &GameSession::mascotTick);
}

void GameSession::start()
{
    if (phase_ != Phase::Idle)
        return;
    // A game after a completed one starts at level 1 too, not at level 3,
    // which has no rounds.
    completed_ = false;
    level_ = 1;
    bonus_ = {};
    score_ = 0;
    livesLeft_ = 2;
    timeBarPos_ = 1;
    emit gameStarted();
    emit livesChanged(livesLeft_);
    beginRound();
}

void GameSession::beginRound()
{
    phase_ = Phase::Asking;
    questionIndex_ = 0;
    pauseTicks_ = 0;
    answerTicks_ = 1;
    words_ = game::splitWordList(content::text(content::wordListText(figureNo_)));
    spots_.clear();
    for (int word = 0; word < words_.size(); ++word)
        spots_ << content::hotSpot(figureNo_, word);
    order_.resize(words_.size());
    random_.seedFromClock();
    game::reinsertionShuffle(order_.data(), qint16(order_.size()), [this] { return random_.nextFraction(); });
    emit roundStarted(figureNo_);
    askQuestion();
    gameClock_.start();
}

void GameSession::askQuestion()
{
    const int word = askedWord();
    speak();
    emit wordAsked(words_.value(word));
    wordSound_ = content::sound(content::wordSound(figureNo_, word));
    player_.play(wordSound_, false);
    if (level_ == 1)
        emit hintShown(content::wordPicture(figureNo_, word), askedSpot().topLeft());
    emit questionAsked(figureNo_, word);
}

void GameSession::speak()
{
    emit mascotChanged(content::speakingMascot(level_, figureNo_));
    mascotTimer_.start();
}

void GameSession::repeatWord()
{
    if (phase_ == Phase::Idle)
        return;
    speak();
    player_.play(wordSound_, false);
}

void GameSession::stopClock()
{
    gameClock_.stop();
}

void GameSession::click(float x, float y)
{
    // Between rounds no word is asked; such clicks count for nothing.
    if (phase_ != Phase::Asking)
        return;
    const int word = askedWord();
    const bool hit = game::insideHotSpot(askedSpot(), x, y);
    emit clickJudged(figureNo_, word, hit);
    if (hit) {
        judgeHit(word);
        return;
    }
    player_.play(content::sound(content::MissSound), true);
    --livesLeft_;
    emit livesChanged(livesLeft_);
    if (livesLeft_ <= 0)
        endGame();
}

void GameSession::judgeHit(int word)
{
    emit hitFlashed(content::wordPicture(figureNo_, word), askedSpot().topLeft());
    hold_.hold(FlashMs);
    emit flashEnded();
    // A clock tick that ran during the flash may have ended the game.
    if (phase_ == Phase::Idle)
        return;
    ++questionIndex_;
    player_.play(content::sound(content::HitSound), true);
    if (questionIndex_ == order_.size()) {
        endRound();
        return;
    }
    // The round's last answer scores nothing.
    score_ = game::scoreAfterAnswer(score_, bonus_.bonusLevel, qint16(answerTicks_));
    emit scoreChanged(score_);
    ++answerTicks_;
    askQuestion();
}

void GameSession::endRound()
{
    bonus_ = game::bonusAfterRound(score_, bonus_);
    if (figureNo_ == LastFigure)
        ++level_;
    if (level_ > LastLevel) {
        completed_ = true;
        endGame();
        return;
    }
    player_.play(content::sound(content::CheerSound), false);
    phase_ = Phase::Pausing;
    roundPause_.start();
}

void GameSession::endGame()
{
    gameClock_.stop();
    roundPause_.stop();
    phase_ = Phase::Idle;
    if (completed_) {
        score_ += game::completionBonus(qint16(timeBarPos_));
        emit scoreChanged(score_);
    }
    // Back to the first figure at once: a mascot still speaking falls silent
    // as the first figure's.
    figureNo_ = 1;
    emit gameEnded(score_, completed_);
}

void GameSession::clockTick()
{
    ++answerTicks_;
    if (timeBarPos_ > LastClockPos) {
        endGame();
        return;
    }
    emit clockStepped(timeBarPos_);
    ++timeBarPos_;
}

void GameSession::pauseTick()
{
    // The clock runs on into the pause only until its first tick.
    gameClock_.stop();
    ++pauseTicks_;
    if (pauseTicks_ < PauseTickCount)
        return;
    roundPause_.stop();
    figureNo_ = figureNo_ == LastFigure ? 1 : figureNo_ + 1;
    beginRound();
}

void GameSession::mascotTick()
{
    mascotTimer_.stop();
    // Level 3 has no mascot of its own: the one of the round that reached it
    // stays.
    emit mascotChanged(level_ > LastLevel ? content::idleMascot(LastLevel, LastFigure)
                                          : content::idleMascot(level_, figureNo_));
}
