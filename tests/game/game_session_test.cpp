// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixtures.h"
#include "tally.h"
#include "word_record.h"

#include <QSignalSpy>

#include <map>

using Phase = GameSession::Phase;

class GameSessionTest : public testing::Test, protected RecordingSeams
{
protected:
    GameSession session{*this, *this, *this};
    QSignalSpy ended{&session, &GameSession::gameEnded};
    QSignalSpy mascot{&session, &GameSession::mascotChanged};

    void clickAt(QPoint at) { session.click(float(at.x()), float(at.y())); }
    void answer() { clickAt(session.askedSpot().center()); }
    void miss() { clickAt({3, 3}); }
    void playRounds(int rounds)
    {
        for (int round = 0; round < rounds; ++round) {
            while (session.phase() == Phase::Asking)
                answer();
            while (session.phase() == Phase::Pausing)
                session.pauseTick();
        }
    }
    bool running(const char *timer) { return session.findChild<QTimer *>(timer)->isActive(); }
    int mascotFrame() { return mascot.last()[0].toInt(); }
};

TEST_F(GameSessionTest, FourRoundsWithHintsAndDeafPauses)
{
    QSignalSpy hints(&session, &GameSession::hintShown);
    QSignalSpy asked(&session, &GameSession::questionAsked);
    session.start();
    qint32 score = 0;
    for (auto [figure, level] : {std::pair(1, 1), {2, 1}, {1, 2}, {2, 2}}) {
        SCOPED_TRACE(testing::Message() << "figure " << figure << " level " << level);
        EXPECT_EQ(session.figureNo(), figure) << "the round's figure";
        EXPECT_EQ(session.level(), level) << "the round's level";
        session.repeatWord();
        EXPECT_EQ(mascotFrame(), content::speakingMascot(level, figure)) << "the mascot's frame";
        while (session.phase() == Phase::Asking) {
            EXPECT_EQ(last(), cue(content::wordSound(figure, session.askedWord()))) << "the word unsaid";
            score = session.score();
            answer();
        }
        EXPECT_EQ(asked.last(), QVariantList({figure, 0})) << "the last question announced";
        EXPECT_EQ(hints.size(), level == 1 ? 10 : 0) << "hints shown";
        if (session.phase() == Phase::Idle)
            break;
        EXPECT_EQ(last(), cue(content::CheerSound)) << "no cheer at the round's end";
        EXPECT_TRUE(running("gameClock")) << "the clock stopped before the pause";
        const qsizetype heard = record.size();
        miss();
        answer();
        EXPECT_EQ(record.size(), heard) << "a click in the pause was judged";
        for (int tick = 1; tick < 6; ++tick)
            session.pauseTick();
        EXPECT_EQ(session.figureNo(), figure) << "the next round came before the sixth pause tick";
        EXPECT_FALSE(running("gameClock")) << "the clock runs on after the pause's first tick";
        hints.clear();
        asked.clear();
        session.pauseTick();
    }
    EXPECT_EQ(seeds, 4) << "the rounds' orders were not drawn afresh";
    ASSERT_EQ(ended.size(), 1) << "the game did not end once";
    EXPECT_TRUE(ended[0][1].toBool()) << "the game did not complete";
    // The last answer scores nothing; the clock, still at 1, pays 399 * 30.
    EXPECT_EQ(ended[0][0].toInt(), score + 399 * 30) << "the completed game's score";
    // Level 3 has no mascot: the last round's stays.
    session.mascotTick();
    EXPECT_EQ(mascotFrame(), content::idleMascot(2, 2)) << "the silent frame after a game completed";
    session.start();
    EXPECT_EQ(session.level(), 1) << "a game after a completed one starts above level 1";
}

TEST_F(GameSessionTest, JudgesTheAskedPartAndScoresBySpeed)
{
    QSignalSpy judged(&session, &GameSession::clickJudged);
    session.start();
    ASSERT_EQ(session.askedSpot(), QRect(QPoint(262, 230), QPoint(303, 241))) << "the tooth not first";
    clickAt({303, 235});
    EXPECT_EQ(session.livesLeft(), 1) << "a click on the edge was no miss";
    EXPECT_EQ(session.askedWord(), 9) << "a miss moved on";
    EXPECT_EQ(last(), cue(content::MissSound, true)) << "a miss is not heard to its end";
    clickAt({263, 231});
    EXPECT_EQ(session.score(), 1060) << "the first answer scores 50 + 10 + 1000 / 1";
    EXPECT_TRUE(judged.last()[2].toBool()) << "the hit was announced as a miss";
    EXPECT_EQ(last(2), "hold 400") << "the hit was not held";
    EXPECT_EQ(last(1), cue(content::HitSound, true)) << "the hit sound does not follow the hold";
    session.start();
    EXPECT_EQ(session.askedWord(), 8) << "a start during the game began it again";
    // Each answer and each clock tick slow the next answer's score.
    session.clockTick();
    answer();
    EXPECT_EQ(session.score(), 1060 + 60 + 333) << "the second answer, after a tick";
    answer();
    const QPoint eye(282, 191); // inside the head too
    clickAt(eye);
    EXPECT_EQ(session.askedWord(), 5) << "a click on the eye inside the head was no hit for the head";
    clickAt(eye);
    EXPECT_EQ(session.phase(), Phase::Idle) << "the second miss, on another part, did not end the game";
    EXPECT_FALSE(ended[0][1].toBool()) << "a lost game completed";
}

TEST_F(GameSessionTest, ClockRunsOutInAFlashOrPause)
{
    QSignalSpy steps(&session, &GameSession::clockStepped);
    session.start();
    for (int tick = 1; tick <= 478; ++tick)
        session.clockTick();
    EXPECT_EQ(steps.last()[0].toInt(), 478) << "the time bar's last step";
    onHold = [&] { session.clockTick(); };
    answer();
    EXPECT_EQ(session.phase(), Phase::Idle) << "the 479th tick, in a flash, did not end the game";
    EXPECT_EQ(session.score(), 0) << "the hit in the flash that ended the game scored";
    EXPECT_EQ(last(), "hold 400") << "the hit in the flash that ended the game was heard";
    onHold = [] {};
    session.start();
    while (session.phase() == Phase::Asking)
        answer();
    for (int tick = 1; tick <= 479; ++tick)
        session.clockTick();
    EXPECT_EQ(session.phase(), Phase::Idle) << "the clock did not run out in the pause";
    EXPECT_FALSE(running("roundPause")) << "the next round is on its way after the game";
}

TEST_F(GameSessionTest, BonusRisesAndALostGameResets)
{
    session.repeatWord();
    miss();
    EXPECT_TRUE(record.isEmpty()) << "the mascot or a click was heard before a game";
    session.start();
    playRounds(1);
    const qint32 before = session.score();
    answer();
    EXPECT_EQ(session.score() - before, 50 + 20 + 1000) << "over 1000 points in a round raise the bonus";
    session.repeatWord();
    EXPECT_TRUE(running("mascotTimer")) << "the mascot will not fall silent";
    miss();
    miss();
    session.mascotTick();
    EXPECT_EQ(mascotFrame(), content::idleMascot(1, 1)) << "the silent frame";
    EXPECT_FALSE(running("mascotTimer")) << "the mascot's timer goes on";
    const qsizetype heard = record.size();
    session.repeatWord();
    EXPECT_EQ(record.size(), heard) << "the mascot spoke after the game";
    session.start();
    EXPECT_EQ(session.figureNo(), 1) << "the next game's figure";
}

TEST_F(GameSessionTest, TimersArePreciseAtTheirIntervals)
{
    for (auto [name, ms] : {std::pair("gameClock", 300), {"roundPause", 500}, {"mascotTimer", 500}}) {
        EXPECT_EQ(session.findChild<QTimer *>(name)->interval(), ms) << name;
        EXPECT_EQ(session.findChild<QTimer *>(name)->timerType(), Qt::PreciseTimer) << name;
    }
}

TEST_F(GameSessionTest, PlayedGameCountsFirstClicks)
{
    progress::Tally tally;
    QObject::connect(&session, &GameSession::questionAsked, &tally, &progress::Tally::questionAsked);
    QObject::connect(&session, &GameSession::clickJudged, &tally, &progress::Tally::clickJudged);
    QObject::connect(&session, &GameSession::gameEnded, &tally, &progress::Tally::gameEnded);
    session.start(); // the words come backwards: tooth, shoulder, neck
    answer();
    miss();
    answer();
    miss(); // the second miss ends the game
    std::map<QString, std::pair<int, int>> counts;
    for (const progress::WordCount &entry : progress::readRecord())
        counts[entry.word] = {entry.asked, entry.right};
    EXPECT_EQ(counts["tooth"], std::pair(1, 1)) << "a word found at the first click";
    EXPECT_EQ(counts["shoulder"], std::pair(1, 0)) << "a word found after a miss";
    EXPECT_EQ(counts["neck"], std::pair(1, 0)) << "the word the game was lost on";
    EXPECT_EQ(counts["brow"], std::pair(0, 0)) << "a word never asked";
}
