// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_session.h"

#include "catalogue.h"
#include "cue_player.h"
#include "seams.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::chrono::milliseconds FlashLength{400};
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

GameSession::GameSession(CuePlayer &player, RandomSource &random, QObject *parent)
    : QObject(parent)
    , player_(player)
    , random_(random)
{
    setUpTimer(gameClock_, "gameClock", 300);
    setUpTimer(roundPause_, "roundPause", 500);
    setUpTimer(mascotTimer_, "mascotTimer", 500);
    setUpTimer(holdTimer_, "holdTimer", 0);
    holdTimer_.setSingleShot(true);
    connect(&gameClock_, &QTimer::timeout, this, &GameSession::clockTick);
    connect(&roundPause_, &QTimer::timeout, this, &GameSession::pauseTick);
    connect(&mascotTimer_, &QTimer::timeout, this, &GameSession::mascotTick);
    connect(&holdTimer_, &QTimer::timeout, this, &GameSession::holdEnded);
}

void GameSession::start()
{
    // A start in a hold finds a game on, or one just ended under the
    // leaderboard: it starts nothing.
    if (phase_ != Phase::Idle || hold_ != Hold::None)
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

void GameSession::startPractice(const QList<std::pair<int, int>> &words)
{
    if (phase_ != Phase::Idle || hold_ != Hold::None)
        return;
    practiceWords_.clear();
    for (auto [figureNo, word] : words) {
        // A word with no part on its figure could never be clicked right.
        if (figureNo >= 1 && figureNo <= LastFigure && !content::hotSpot(figureNo, word).isNull())
            practiceWords_[figureNo] << qint16(word);
    }
    if (practiceWords_.isEmpty())
        return;
    // The order asked is drawn as a round's, whatever order the words came in.
    for (QList<qint16> &figureWords : practiceWords_)
        std::sort(figureWords.begin(), figureWords.end());
    practising_ = true;
    // After a completed game the level is 3, which has no mascot or hints.
    level_ = 1;
    figureNo_ = practiceWords_.firstKey();
    emit practiceStarted();
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
    const QList<qint16> practised = practiceWords_.value(figureNo_);
    order_.resize(practising_ ? practised.size() : words_.size());
    random_.seedFromClock();
    game::reinsertionShuffle(order_.data(), qint16(order_.size()), [this] { return random_.nextFraction(); });
    // Practice shuffles the places of its words in the figure's list.
    if (practising_)
        std::transform(order_.begin(), order_.end(), order_.begin(), [&](qint16 k) { return practised[k]; });
    emit roundStarted(figureNo_);
    askQuestion();
    // Practice has no time bar.
    if (!practising_)
        gameClock_.start();
}

void GameSession::askQuestion()
{
    const int word = askedWord();
    speak();
    emit wordAsked(words_.value(word));
    wordSound_ = content::sound(content::wordSound(figureNo_, word));
    player_.play(wordSound_);
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
    if (waitsForHold([this] { repeatWord(); }))
        return;
    if (phase_ == Phase::Idle)
        return;
    speak();
    player_.play(wordSound_);
}

void GameSession::stopClock()
{
    // In a hold, the help button's press waits its turn like a click.
    if (waitsForHold([this] { stopClock(); }))
        return;
    gameClock_.stop();
}

void GameSession::click(float x, float y)
{
    if (waitsForHold([this, x, y] { click(x, y); }))
        return;
    // Between rounds no word is asked; such clicks count for nothing.
    if (phase_ != Phase::Asking)
        return;
    const int word = askedWord();
    const bool hit = game::insideHotSpot(askedSpot(), x, y);
    emit clickJudged(figureNo_, word, hit);
    if (hit)
        judgeHit(word);
    else
        startHold(Hold::MissSound, player_.play(content::sound(content::MissSound)));
}

void GameSession::judgeHit(int word)
{
    emit hitFlashed(content::wordPicture(figureNo_, word), askedSpot().topLeft());
    runDueTicks();
    startHold(Hold::Flash, FlashLength);
}

// Ticks already due when a hit is judged come before its hold, as they did
// when the thread ran them while putting the flash on the screen.
void GameSession::runDueTicks()
{
    if (gameClock_.isActive() && gameClock_.remainingTime() == 0) {
        gameClock_.start();
        clockTick();
    }
    if (mascotTimer_.isActive() && mascotTimer_.remainingTime() == 0)
        mascotTick();
}

void GameSession::startHold(Hold hold, std::chrono::milliseconds length)
{
    hold_ = hold;
    holdTimer_.start(length);
}

// Input that comes in a hold waits for its end, and then its turn.
bool GameSession::waitsForHold(std::function<void()> input)
{
    if (hold_ == Hold::None)
        return false;
    waitingInput_ << std::move(input);
    return true;
}

void GameSession::holdEnded()
{
    holdTimer_.stop();
    switch (hold_) {
    case Hold::None:
        return;
    case Hold::Flash:
        // A clock tick as the flash showed may have ended the game.
        if (phase_ != Phase::Idle) {
            ++questionIndex_;
            startHold(Hold::HitSound, player_.play(content::sound(content::HitSound)));
            return;
        }
        emit flashEnded();
        break;
    case Hold::HitSound:
        // The flash stays until the next question replaces it.
        emit flashEnded();
        goOnAfterHit();
        break;
    case Hold::MissSound:
        // Practice costs no life: the word is said again until it is found.
        if (practising_) {
            speak();
            player_.play(wordSound_);
            break;
        }
        --livesLeft_;
        emit livesChanged(livesLeft_);
        if (livesLeft_ <= 0)
            endGame();
        break;
    }
    resume();
}

void GameSession::goOnAfterHit()
{
    if (questionIndex_ == order_.size()) {
        endRound();
        return;
    }
    // The round's last answer scores nothing, and practice none.
    if (!practising_) {
        score_ = game::scoreAfterAnswer(score_, bonus_.bonusLevel, qint16(answerTicks_));
        emit scoreChanged(score_);
    }
    ++answerTicks_;
    askQuestion();
}

// A tick in a hold waits for its end: a timer that missed ticks fires once
// when its thread goes on, and the game clock then starts its schedule
// afresh if it missed more than one.
void GameSession::tickLate(QTimer &timer)
{
    if (lateTicks_.contains(&timer))
        clockMissedMore_ = clockMissedMore_ || &timer == &gameClock_;
    else
        lateTicks_ << &timer;
}

// After a hold: first the ticks due in it, then the input that waited, one
// by one, until one of them starts a hold of its own.
void GameSession::resume()
{
    hold_ = Hold::None;
    for (QTimer *timer : std::exchange(lateTicks_, {})) {
        // A timer the hold's end stopped or started afresh owes no tick.
        if (timer == &gameClock_ && gameClock_.isActive()) {
            if (clockMissedMore_)
                gameClock_.start();
            clockTick();
        } else if (timer == &mascotTimer_ && !mascotTimer_.isActive()) {
            mascotTick();
        }
    }
    clockMissedMore_ = false;
    while (hold_ == Hold::None && !waitingInput_.isEmpty())
        waitingInput_.takeFirst()();
}

void GameSession::endRound()
{
    // Practice ends with the cheer after its last figure's words. The round
    // before, figure 1's, raises no level, and the bonus waits for start().
    if (practising_ && figureNo_ == practiceWords_.lastKey()) {
        endPractice();
        return;
    }
    bonus_ = game::bonusAfterRound(score_, bonus_);
    if (figureNo_ == LastFigure)
        ++level_;
    if (level_ > LastLevel) {
        completed_ = true;
        endGame();
        return;
    }
    player_.play(content::sound(content::CheerSound));
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

void GameSession::endPractice()
{
    player_.play(content::sound(content::CheerSound));
    practising_ = false;
    phase_ = Phase::Idle;
    // As after a game, the next one starts on the first figure.
    figureNo_ = 1;
    emit practiceEnded();
}

void GameSession::clockTick()
{
    if (hold_ != Hold::None) {
        tickLate(gameClock_);
        return;
    }
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
    if (hold_ != Hold::None) {
        tickLate(mascotTimer_);
        return;
    }
    // Level 3 has no mascot of its own: the one of the round that reached it
    // stays.
    emit mascotChanged(level_ > LastLevel ? content::idleMascot(LastLevel, LastFigure)
                                          : content::idleMascot(level_, figureNo_));
}
