// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixtures.h"
#include "tally.h"
#include "word_record.h"

#include <QSignalSpy>

#include <map>
#include <thread>

using Phase = GameSession::Phase;
using Hold = GameSession::Hold;
using std::chrono::milliseconds;

// The first round asks tooth (9), then shoulder (8).
QPoint onWord(int word)
{
    return content::hotSpot(1, word).center();
}
const QPoint Corner(3, 3);

void press(GameSession &session, QPoint at)
{
    session.click(float(at.x()), float(at.y()));
}

class GameSessionTest : public testing::Test, protected RecordingSeams
{
protected:
    GameSession session{*this, *this};
    QSignalSpy ended{&session, &GameSession::gameEnded};
    QSignalSpy mascot{&session, &GameSession::mascotChanged};

    void SetUp() override { stopTimeFor(session); }
    // A click, and the hold it starts run out.
    void clickAt(QPoint at)
    {
        press(session, at);
        endHolds(session);
    }
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
    QTimer *timer(const char *name) { return session.findChild<QTimer *>(name); }
    bool running(const char *name) { return timer(name)->isActive(); }
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
    EXPECT_EQ(last(), cue(content::MissSound)) << "a miss is not heard";
    clickAt({263, 231});
    EXPECT_EQ(session.score(), 1060) << "the first answer scores 50 + 10 + 1000 / 1";
    EXPECT_TRUE(judged.last()[2].toBool()) << "the hit was announced as a miss";
    EXPECT_EQ(last(1), cue(content::HitSound)) << "the hit sound does not come before the next word";
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

TEST_F(GameSessionTest, ClockRunsOutAsAFlashShowsOrInAPause)
{
    QSignalSpy steps(&session, &GameSession::clockStepped);
    session.start();
    for (int tick = 1; tick <= 478; ++tick)
        session.clockTick();
    EXPECT_EQ(steps.last()[0].toInt(), 478) << "the time bar's last step";
    // The 479th tick is due as the right answer is judged.
    timer("gameClock")->setInterval(0);
    press(session, onWord(9));
    EXPECT_EQ(session.phase(), Phase::Idle) << "the tick due as the flash showed did not end the game";
    EXPECT_EQ(session.hold(), Hold::Flash) << "the flash went with the game";
    session.start();
    EXPECT_EQ(session.phase(), Phase::Idle) << "a game started in the flash of the last one";
    endHolds(session);
    EXPECT_EQ(session.score(), 0) << "the hit in the flash that ended the game scored";
    EXPECT_EQ(last(), cue(content::wordSound(1, 9))) << "the hit in the flash that ended the game was heard";
    timer("gameClock")->setInterval(1 << 30);
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
    const GameSession fresh{*this, *this};
    for (auto [name, ms] : {std::pair("gameClock", 300), {"roundPause", 500}, {"mascotTimer", 500}}) {
        EXPECT_EQ(fresh.findChild<QTimer *>(name)->interval(), ms) << name;
        EXPECT_EQ(fresh.findChild<QTimer *>(name)->timerType(), Qt::PreciseTimer) << name;
    }
}

// A hit holds the game for its flash, then for its sound; a miss for its own
// sound. Clicks made meanwhile are judged after, one at a time, each holding
// the game in its turn.
TEST_F(GameSessionTest, ClicksInAHoldAreJudgedAfterItInTurn)
{
    struct Row
    {
        const char *name;
        QPoint first;
        int endedBefore; // holds over before the clicks come
        Hold hold;
        milliseconds length;
        QByteArray heard; // last, in the hold
    };
    const QByteArray hit = cue(content::HitSound), miss = cue(content::MissSound);
    const Row rows[] = {
        {"flash", onWord(9), 0, Hold::Flash, milliseconds(400), cue(content::wordSound(1, 9))},
        {"hit sound", onWord(9), 1, Hold::HitSound, length(hit), hit},
        {"miss sound", Corner, 0, Hold::MissSound, length(miss), miss}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        GameSession held(*this, *this);
        stopTimeFor(held);
        QSignalSpy judged(&held, &GameSession::clickJudged);
        QSignalSpy flashGone(&held, &GameSession::flashEnded);
        held.start();
        press(held, row.first);
        for (int k = 0; k < row.endedBefore; ++k)
            held.holdEnded();
        ASSERT_EQ(held.hold(), row.hold) << "the game is not held";
        EXPECT_EQ(held.findChild<QTimer *>("holdTimer")->interval(), row.length.count())
            << "the hold's length";
        EXPECT_EQ(held.score(), 0) << "a hit scored before its sound ended";
        EXPECT_EQ(held.livesLeft(), 2) << "a miss cost its life before its sound ended";
        EXPECT_TRUE(flashGone.isEmpty()) << "the flash went before the hit's hold ended";
        // The word asked once this click is judged, the mascot, then a miss.
        press(held, onWord(row.first == Corner ? 9 : 8));
        held.repeatWord();
        press(held, Corner);
        EXPECT_EQ(last(), row.heard) << "another sound in the hold";
        while (held.hold() != Hold::None && judged.size() == 1)
            held.holdEnded();
        ASSERT_EQ(judged.size(), 2) << "the first click that waited was not judged alone";
        EXPECT_TRUE(judged[1][2].toBool()) << "the first click that waited was judged against another word";
        EXPECT_EQ(held.hold(), Hold::Flash) << "the first click that waited did not hold the game";
        held.holdEnded();
        held.holdEnded();
        ASSERT_EQ(judged.size(), 3)
            << "the second click that waited was not judged after the first one's hold";
        EXPECT_FALSE(judged[2][2].toBool()) << "the second click that waited was not a miss";
    }
}

// Each timer ticks once at a hold's end, as a timer of a busy thread does,
// and the clock starts its schedule afresh there if it missed more than one
// tick; the score, which counts the ticks, is what it always was.
TEST_F(GameSessionTest, TicksInAHoldComeOnceAtItsEnd)
{
    QSignalSpy steps(&session, &GameSession::clockStepped);
    session.start();
    QTimer *clock = timer("gameClock");
    const int interval = clock->interval();
    press(session, onWord(9));
    session.clockTick();
    session.mascotTick();
    session.holdEnded();
    session.clockTick();
    session.clockTick();
    EXPECT_TRUE(steps.isEmpty()) << "the clock moved in a hit's hold";
    std::this_thread::sleep_for(milliseconds(50));
    session.holdEnded();
    EXPECT_EQ(steps.size(), 1) << "the ticks in a hit's hold";
    EXPECT_GT(clock->remainingTime(), interval - 25)
        << "the clock kept its schedule after missing three ticks";
    EXPECT_EQ(mascotFrame(), content::speakingMascot(1, 1)) << "the mascot went silent on the next word";
    press(session, Corner);
    session.clockTick();
    session.mascotTick();
    std::this_thread::sleep_for(milliseconds(50));
    session.holdEnded();
    EXPECT_EQ(steps.size(), 2) << "the tick in a miss's hold";
    EXPECT_LT(clock->remainingTime(), interval - 25) << "the clock lost its schedule after missing one tick";
    EXPECT_EQ(mascotFrame(), content::idleMascot(1, 1)) << "the mascot's tick in a miss's hold was lost";
    // The help button's press in a hold stops the clock after its late tick.
    press(session, onWord(8));
    session.clockTick();
    session.stopClock();
    endHolds(session);
    EXPECT_EQ(steps.size(), 3) << "the tick before the help button";
    EXPECT_FALSE(clock->isActive()) << "the clock runs on behind help";
    // 1 tick for the start, 2 after the first answer, 3 and 4 for the holds.
    EXPECT_EQ(session.score(), 1060 + 50 + 10 + 1000 / 4) << "the second answer's score";
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
