// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixtures.h"
#include "game_rules.h"

#include <QSignalSpy>

#include <thread>

using Phase = GameSession::Phase;
using Hold = GameSession::Hold;
using std::chrono::milliseconds;

namespace {

// The middle of a word's part on figure 1. With every fraction at 0.99 a
// round asks its words backwards: tooth, shoulder, neck, head, hand...
QPoint on(const QString &word)
{
    return content::hotSpot(1, game::splitWordList(content::text(content::wordListText(1))).indexOf(word))
        .center();
}
const QPoint Corner(3, 3);

// No event loop runs: the timers tick only when a test says so.
class GameSessionTest : public testing::Test, protected RecordingSeams
{
protected:
    GameSession session{*this, *this};
    QSignalSpy words{&session, &GameSession::wordAsked};
    QSignalSpy judged{&session, &GameSession::clickJudged};
    QSignalSpy steps{&session, &GameSession::clockStepped};
    QSignalSpy mascot{&session, &GameSession::mascotChanged};
    QSignalSpy ended{&session, &GameSession::gameEnded};

    void press(QPoint at) { session.click(float(at.x()), float(at.y())); }
    // A click, and the holds it starts run out.
    void clickAt(QPoint at)
    {
        press(at);
        endHolds(session);
    }
    void answer() { clickAt(session.askedSpot().center()); }
    QString asked() const { return words.last()[0].toString(); }
    QTimer *timer(const char *name) { return session.findChild<QTimer *>(name); }
    int mascotFrame() const { return mascot.last()[0].toInt(); }
};

} // namespace

// Figure 1 then 2 at level 1 with hints, both again at level 2 without; a
// cheer and six pause ticks between rounds, in which clicks count for nothing.
TEST_F(GameSessionTest, FourRoundsMakeAGameAndTheNextStartsAtLevelOne)
{
    QSignalSpy hints(&session, &GameSession::hintShown), questions(&session, &GameSession::questionAsked);
    session.start();
    qint32 score = 0;
    for (auto [figure, level] : {std::pair(1, 1), {2, 1}, {1, 2}, {2, 2}}) {
        SCOPED_TRACE(testing::Message() << "figure " << figure << " level " << level);
        session.repeatWord();
        EXPECT_EQ(mascotFrame(), content::speakingMascot(level, figure)) << "the round's mascot";
        while (session.phase() == Phase::Asking) {
            const int word = session.askedWord();
            EXPECT_EQ(last(), cue(content::wordSound(figure, word))) << "the word unsaid";
            EXPECT_EQ(questions.last(), QVariantList({figure, word})) << "another word announced";
            score = session.score();
            answer();
            EXPECT_EQ(judged.last(), QVariantList({figure, word, true})) << "another click announced";
        }
        EXPECT_EQ(hints.size(), level == 1 ? 10 : 0) << "hints shown";
        if (session.phase() == Phase::Idle)
            break;
        EXPECT_EQ(last(), cue(content::CheerSound)) << "no cheer at the round's end";
        EXPECT_TRUE(timer("gameClock")->isActive()) << "the clock stopped before the pause";
        const qsizetype heard = record.size();
        clickAt(Corner);
        EXPECT_EQ(record.size(), heard) << "a click in the pause was judged";
        for (int tick = 1; tick < 6; ++tick)
            session.pauseTick();
        EXPECT_EQ(session.figureNo(), figure) << "the next round came before the sixth pause tick";
        EXPECT_FALSE(timer("gameClock")->isActive()) << "the clock runs on after the pause's first tick";
        hints.clear();
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

// A hit scores 50 + 10 x the bonus + 1000 / the round's answers and clock
// ticks; over 1000 points in a round raise the bonus. The second miss ends
// the game, and the next starts at figure 1.
TEST_F(GameSessionTest, ScoresBySpeedUntilTheSecondMiss)
{
    session.start();
    answer();
    session.start();
    EXPECT_EQ(asked(), "shoulder") << "a start during the game began it again";
    answer();
    answer();
    clickAt(on("eye"));
    EXPECT_EQ(asked(), "hand") << "a click on the eye inside the head was no hit for the head";
    clickAt(on("eye"));
    clickAt(on("eye"));
    EXPECT_EQ(session.phase(), Phase::Idle) << "the second miss did not end the game";
    EXPECT_FALSE(ended.last()[1].toBool()) << "a lost game completed";
    session.start();
    while (session.phase() == Phase::Asking)
        answer();
    while (session.phase() == Phase::Pausing)
        session.pauseTick();
    const qint32 before = session.score();
    answer();
    EXPECT_EQ(session.score() - before, 50 + 20 + 1000) << "over 1000 points in a round raise the bonus";
    session.repeatWord();
    EXPECT_TRUE(timer("mascotTimer")->isActive()) << "the mascot will not fall silent";
    clickAt(Corner);
    clickAt(Corner);
    session.mascotTick();
    EXPECT_EQ(mascotFrame(), content::idleMascot(1, 1)) << "the silent frame is not the first figure's";
    const qsizetype heard = record.size();
    session.repeatWord();
    EXPECT_EQ(record.size(), heard) << "the mascot spoke after the game";
}

TEST_F(GameSessionTest, ClockRunsOutAsAFlashShowsOrInAPause)
{
    session.start();
    for (int tick = 1; tick <= 478; ++tick)
        session.clockTick();
    // The 479th tick is due as the right answer is judged.
    const int interval = timer("gameClock")->interval();
    timer("gameClock")->setInterval(0);
    press(on("tooth"));
    EXPECT_EQ(session.phase(), Phase::Idle) << "the tick due as the flash showed did not end the game";
    EXPECT_EQ(session.hold(), Hold::Flash) << "the flash went with the game";
    session.start();
    EXPECT_EQ(session.phase(), Phase::Idle) << "a game started in the flash of the last one";
    session.startPractice({{1, 0}});
    EXPECT_FALSE(session.practising()) << "practice started in the flash of the last game";
    endHolds(session);
    EXPECT_EQ(session.score(), 0) << "the hit in the flash that ended the game scored";
    EXPECT_EQ(last(), cue(content::wordSound(1, session.askedWord()))) << "the hit in the flash was heard";
    timer("gameClock")->setInterval(interval);
    session.start();
    while (session.phase() == Phase::Asking)
        answer();
    for (int tick = 1; tick <= 479; ++tick)
        session.clockTick();
    EXPECT_EQ(session.phase(), Phase::Idle) << "the clock did not run out in the pause";
    EXPECT_FALSE(timer("roundPause")->isActive()) << "the next round is on its way after the game";
}

// A hit holds the game for its flash, then for its sound; a miss for its own
// sound. Clicks made meanwhile are judged after, one at a time, each holding
// the game in its turn.
class HeldSession : public GameSessionTest, public testing::WithParamInterface<Hold>
{
};

TEST_P(HeldSession, ClicksInAHoldAreJudgedAfterItInTurn)
{
    const Hold hold = GetParam();
    QSignalSpy flashGone(&session, &GameSession::flashEnded);
    session.start();
    press(hold == Hold::MissSound ? Corner : on("tooth"));
    if (hold == Hold::HitSound)
        session.holdEnded();
    ASSERT_EQ(session.hold(), hold) << "the game is not held";
    // The flash shows as the word asked still sounds.
    const QByteArray heard = hold == Hold::Flash
                                 ? cue(content::wordSound(1, session.askedWord()))
                                 : cue(hold == Hold::HitSound ? content::HitSound : content::MissSound);
    EXPECT_EQ(timer("holdTimer")->interval(), hold == Hold::Flash ? 400 : length(heard).count())
        << "its length";
    EXPECT_EQ(session.score(), 0) << "a hit scored before its sound ended";
    EXPECT_EQ(session.livesLeft(), 2) << "a miss cost its life before its sound ended";
    EXPECT_TRUE(flashGone.isEmpty()) << "the flash went before the hit's hold ended";
    // The word asked once this click is judged, the mascot, then a miss.
    press(on(hold == Hold::MissSound ? "tooth" : "shoulder"));
    session.repeatWord();
    press(Corner);
    EXPECT_EQ(last(), heard) << "another sound in the hold";
    while (session.hold() != Hold::None && judged.size() == 1)
        session.holdEnded();
    ASSERT_EQ(judged.size(), 2) << "the first click that waited was not judged alone";
    EXPECT_TRUE(judged[1][2].toBool()) << "the first click that waited was judged against another word";
    EXPECT_EQ(session.hold(), Hold::Flash) << "the first click that waited did not hold the game";
    session.holdEnded();
    session.holdEnded();
    ASSERT_EQ(judged.size(), 3) << "the second click that waited was not judged after the first one's hold";
    EXPECT_FALSE(judged[2][2].toBool()) << "the second click that waited was not a miss";
}

std::string holdName(const testing::TestParamInfo<Hold> &info)
{
    return std::array{"", "Flash", "HitSound", "MissSound"}[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Holds, HeldSession, testing::Values(Hold::Flash, Hold::HitSound, Hold::MissSound),
                         holdName);

// Each timer ticks once at a hold's end, as a timer of a busy thread does,
// and the clock starts its schedule afresh there if it missed more than one
// tick; the score, which counts the ticks, is what it always was.
TEST_F(GameSessionTest, TicksInAHoldComeOnceAtItsEnd)
{
    session.start();
    QTimer *clock = timer("gameClock");
    const int interval = 300; // the clock's tick
    press(on("tooth"));
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
    press(Corner);
    session.clockTick();
    session.mascotTick();
    std::this_thread::sleep_for(milliseconds(50));
    session.holdEnded();
    EXPECT_EQ(steps.size(), 2) << "the tick in a miss's hold";
    EXPECT_LT(clock->remainingTime(), interval - 25) << "the clock lost its schedule after missing one tick";
    EXPECT_EQ(mascotFrame(), content::idleMascot(1, 1)) << "the mascot's tick in a miss's hold was lost";
    // The help button's press in a hold stops the clock after its late tick.
    press(on("shoulder"));
    session.clockTick();
    session.stopClock();
    endHolds(session);
    EXPECT_EQ(steps.size(), 3) << "the tick before the help button";
    EXPECT_FALSE(clock->isActive()) << "the clock runs on behind help";
    // 1 tick for the start, 2 after the first answer, 3 and 4 for the holds.
    EXPECT_EQ(session.score(), 1060 + 50 + 10 + 1000 / 4) << "the second answer's score";
}

// Practice starts only between games, over words that are there. It asks
// each on its own figure, figure 1's first, in the order a round draws
// (backwards with every fraction at 0.99), at level 1 whatever the last
// game reached, until it is clicked right; then a game starts afresh.
TEST_F(GameSessionTest, PracticeAsksEachWordOnItsFigureUntilClickedRight)
{
    session.startPractice({});
    EXPECT_EQ(session.phase(), Phase::Idle) << "practice over no words started";
    session.start();
    while (session.level() == 1)
        session.phase() == Phase::Pausing ? session.pauseTick() : answer();
    session.startPractice({{1, 9}});
    EXPECT_FALSE(session.practising()) << "practice started in a game's pause";
    while (session.phase() == Phase::Pausing)
        session.pauseTick();
    clickAt(Corner);
    clickAt(Corner);
    ended.clear();
    seeds = 0;
    QSignalSpy questions(&session, &GameSession::questionAsked), hints(&session, &GameSession::hintShown),
        practised(&session, &GameSession::practiceEnded), lives(&session, &GameSession::livesChanged),
        scores(&session, &GameSession::scoreChanged);
    session.startPractice({{2, 4}, {1, 9}, {1, 10}, {2, 0}, {0, 201}, {1, 2}});
    EXPECT_FALSE(timer("gameClock")->isActive()) << "the clock runs in practice";
    session.start();
    session.startPractice({{1, 0}});
    session.mascotTick();
    clickAt(Corner);
    EXPECT_EQ(mascotFrame(), content::speakingMascot(1, 1)) << "the mascot did not speak again after a miss";
    EXPECT_EQ(last(), cue(content::wordSound(1, 9))) << "the word was not said again after a miss";
    int pauseTicks = 0;
    for (int step = 0; step < 20 && session.phase() != Phase::Idle; ++step) {
        if (session.phase() == Phase::Asking) {
            answer();
            continue;
        }
        EXPECT_EQ(last(), cue(content::CheerSound)) << "no cheer between the figures";
        session.pauseTick();
        ++pauseTicks;
    }
    const QList<QVariantList> expected = {{1, 9}, {1, 2}, {2, 4}, {2, 0}};
    EXPECT_EQ(QList<QVariantList>(questions.begin(), questions.end()), expected) << "the words asked";
    EXPECT_EQ(hints.size(), 4) << "not every word hinted";
    EXPECT_EQ(pauseTicks, 6) << "the pause between the figures";
    EXPECT_EQ(seeds, 2) << "each figure's order was not drawn afresh";
    EXPECT_EQ(last(), cue(content::CheerSound)) << "no cheer at practice's end";
    EXPECT_EQ(practised.size(), 1) << "practice did not end once";
    EXPECT_TRUE(ended.isEmpty()) << "practice ended as a game, for the leaderboard";
    EXPECT_TRUE(steps.isEmpty()) << "the time bar moved in practice";
    EXPECT_TRUE(lives.isEmpty()) << "practice touched the lives";
    EXPECT_TRUE(scores.isEmpty()) << "practice scored";
    session.start();
    EXPECT_EQ(session.figureNo(), 1) << "the game after practice on figure 2 starts there";
    EXPECT_TRUE(timer("gameClock")->isActive()) << "the game after practice has no clock";
}
