// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "cue_player.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "seams.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

// Sounds and holds in the order the game asked for them, a sound played to wait for marked so.
struct Recorder : CuePlayer, Hold
{
    QByteArrayList events;
    std::function<void()> onHold = [] {};
    void play(const QByteArray &wav, bool wait) override { events << wav + (wait ? " wait" : ""); }
    void hold(int ms) override { events << "hold " + QByteArray::number(ms), onHold(); }
};

// Fractions that keep the catalogue order, so that each test knows its words.
struct InOrder : RandomSource
{
    int seeds = 0, next = 0;
    void seedFromClock() override { ++seeds, next = 0; }
    float nextFraction() override { return (next++ + 0.5f) / 10; }
};

} // namespace

// The fixture reaches the window's private parts, as the game's own procedures do.
class Form1Peer : public ::testing::Test
{
protected:
    Recorder rec;
    InOrder random;
    QTemporaryDir boardDir;
    Form1 form{rec, rec, random};
    Form1State &s = form.s_;
    QWidget *surface = widget("surface");
    Form2 *form2() { return form.form2_.get(); }
    Form3 *form3() { return form.form3_.get(); }

    void SetUp() override
    {
        s.sPath = boardDir.path() + '/';
        // Ticks come only from the tests; a real one would change the score.
        for (const char *name : {"Timer1", "Timer2", "TimerBoy"})
            timer(name)->setInterval(24 * 3600 * 1000);
        form.show();
    }
    QWidget *widget(const char *name) { return form.findChild<QWidget *>(name); }
    QTimer *timer(const char *name) { return form.findChild<QTimer *>(name); }
    QString label(const char *name) { return form.findChild<QLabel *>(name)->text(); }
    QByteArray cue(int sound, bool wait = false) { return content::sound(sound) + (wait ? " wait" : ""); }
    QByteArray last(int back = 0) const { return rec.events.value(rec.events.size() - 1 - back); }
    qint16 asked() const { return s.questionOrder.at(s.questionIndex); }
    QPoint origin(qint16 w) const { return {s.spotLeft[w], s.spotTop[w]}; }
    QPoint corner(qint16 w) const { return {s.spotRight[w], s.spotBottom[w]}; }
    void click(QPointF at) { form.Form_MouseDown(Qt::LeftButton, {}, float(at.x()), float(at.y())); }
    void answer() { click(QRectF(origin(asked()), corner(asked())).center()); }
    // Answers up to a question, then lets the pause tick.
    void play(int questionIndex, int pauseTicks = 0)
    {
        while (s.questionIndex < questionIndex)
            answer();
        while (pauseTicks--)
            form.Timer2_Timer();
    }
    QImage rgb(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }
    // The picture's pixels at its own size, where the widget shows it at `at`.
    bool shows(QWidget *widget, int picture, QPoint at = {})
    {
        const QImage want = rgb(content::pictureImage(picture));
        return !want.isNull() && rgb(widget->grab(QRect(at, want.size())).toImage()) == want;
    }
    bool hint() { return shows(surface, content::wordPicture(s.figureNo, asked()), origin(asked())); }
    // The figure shows its picture everywhere but inside the asked word's rectangle.
    bool cleanBesideHint()
    {
        QImage want = rgb(content::pictureImage(100 * s.figureNo)),
               got = rgb(surface->grab(want.rect()).toImage());
        for (QImage *image : {&want, &got})
            QPainter(image).fillRect(QRect(origin(asked()), corner(asked())), Qt::black);
        return !want.isNull() && got == want;
    }
    // Whether the time bar is that colour on all the rows given.
    bool bar(QColor colour, std::initializer_list<int> rows)
    {
        const QImage image = rgb(widget("PicLong")->grab().toImage());
        return std::all_of(rows.begin(), rows.end(), [&](int y) { return image.pixelColor(4, y) == colour; });
    }
};
using Form1Test = Form1Peer;

TEST_F(Form1Test, StartsWithFigureOneAndNoGame)
{
    EXPECT_TRUE(shows(surface, 100) && shows(widget("PicB"), 502) && shows(widget("PicBh"), 503));
    EXPECT_TRUE(shows(widget("Pics0"), 501) && shows(widget("Pics1"), 501));
    EXPECT_TRUE(label("Label2") == "0" && label("Label3").isEmpty());
    EXPECT_TRUE(widget("Picboy")->isHidden() && widget("PicLong")->isHidden());
    // Help and the mascot change nothing while no game runs.
    form.Picboy_Click();
    form.PicBh_Click();
    click({280, 163});
    EXPECT_TRUE(rec.events.isEmpty() && s.level == 1 && s.livesLeft == 2);
}

TEST_F(Form1Test, PlaysFourRoundsInOrderWithHintsOnlyAtLevelOneAndTheMascotsFrames)
{
    form.PicB_Click();
    QWidget *mascot = widget("Picboy");
    int flashes = 0; // the word's picture shown while a hit is held, at every level
    rec.onHold = [&] { flashes += hint(); };
    for (auto [figure, level] : {std::pair(1, 1), {2, 1}, {1, 2}, {2, 2}}) {
        SCOPED_TRACE(testing::Message() << "figure " << figure << " level " << level);
        ASSERT_TRUE(s.figureNo == figure && s.level == level);
        // The mascot says the word again, and falls silent one interval later, with the frames of
        // its level and figure.
        form.Picboy_Click();
        EXPECT_TRUE(shows(mascot, content::speakingMascot(level, figure)) && timer("TimerBoy")->isActive());
        EXPECT_TRUE(last() == cue(content::wordSound(figure, asked())) && last(1) == last());
        form.TimerBoy_Timer();
        EXPECT_TRUE(shows(mascot, content::idleMascot(level, figure)) && !timer("TimerBoy")->isActive());
        std::set<qint16> words;
        while (s.questionIndex < s.wordCount) {
            EXPECT_TRUE(words.insert(asked()).second);
            EXPECT_EQ(label("Label3"), s.wordList[asked()]);
            EXPECT_EQ(last(), cue(content::wordSound(figure, asked())));
            EXPECT_EQ(hint(), level == 1);
            answer();
        }
        EXPECT_TRUE(words.size() == 10 && shows(surface, 100 * figure));
        if (figure == 2 && level == 2)
            break;
        // The cheer, and the clock runs on into the pause; no question is current there, so that
        // neither a miss nor a would-be hit counts. The sixth tick ends it.
        EXPECT_TRUE(last() == cue(content::CheerSound) && timer("Timer1")->isActive());
        const qsizetype heard = rec.events.size();
        click({3, 3});
        answer();
        play(0, 5);
        EXPECT_TRUE(rec.events.size() == heard && s.livesLeft == 2 && s.figureNo == figure);
        EXPECT_FALSE(timer("Timer1")->isActive());
        play(0, 1);
    }
    EXPECT_EQ(std::pair(flashes, random.seeds), std::pair(40, 4));
    EXPECT_TRUE(!s.gameRunning && !form.isEnabled() && form2() && form2()->isVisible() && form2()->grd == 1);
}

TEST_F(Form1Test, CompletionPaysForTheClockLeftAtTheEnd)
{
    for (auto [barPos, bonus] : {std::pair(250, 4500), {450, -1500}}) {
        // A new game, after a completed one too, starts at level 1 with hints.
        form.PicB_Click();
        EXPECT_TRUE(s.level == 1 && s.figureNo == 1 && hint());
        for (int round = 0; round < 3; ++round)
            play(s.wordCount, 6);
        play(s.wordCount - 1);
        s.timeBarPos = qint16(barPos);
        const qint32 before = s.fcount;
        form.Picboy_Click();
        answer();
        EXPECT_EQ(s.fcount, before + bonus) << barPos;
        EXPECT_TRUE(label("Label2") == QString::number(s.fcount) && form2()->fcount == s.fcount);
        // The mascot spoke as the game ended; level 3 has none, so the one of the round just
        // finished falls silent.
        form.TimerBoy_Timer();
        EXPECT_TRUE(s.level == 3 && shows(widget("Picboy"), content::idleMascot(2, 2)));
        form2()->close();
    }
}

TEST_F(Form1Test, JudgesTheInsideOfTheAskedSpotByAnyButtonScoresBySpeedAndTheSecondMissEndsTheGame)
{
    form.PicB_Click();
    ASSERT_EQ(s.wordList[asked()], "brow"); // 274,158,301,169
    click({301, 160});
    EXPECT_TRUE(s.questionIndex == 0 && s.livesLeft == 1 && last() == cue(content::MissSound, true));
    EXPECT_TRUE(widget("Pics1")->isHidden() && !widget("Pics0")->isHidden());
    click({275, 159});
    EXPECT_TRUE(s.questionIndex == 1 && label("Label2") == "1060"); // 50 + 10 + 1000 / 1
    EXPECT_TRUE(last(2) == "hold 400" && last(1) == cue(content::HitSound, true));
    // Through the window's own surface every button counts.
    s.fcount = 100 - 60;
    s.answerTicks = 16;
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(288, 258)); // chin
    EXPECT_EQ(s.fcount, 162);
    QTest::mouseClick(surface, Qt::MiddleButton, {}, QPoint(280, 190)); // eye
    EXPECT_EQ(s.questionIndex, 3);
    // The tenth answer scores nothing; a thousand and one points since the last step raise the bonus.
    play(9);
    const qint32 score = s.fcount;
    s.lastBonusScore = qint16(score - 1001);
    answer();
    EXPECT_TRUE(s.fcount == score && label("Label2") == QString::number(score));
    EXPECT_TRUE(s.bonusLevel == 2 && s.lastBonusScore == score);
    // Overlapping spots are judged by the word asked only.
    play(0, 6);
    play(6);
    ASSERT_EQ(s.wordList[asked()], "mouth");
    click({202, 304}); // on the tongue
    EXPECT_TRUE(s.questionIndex == 7 && s.livesLeft == 1);
    // Right of the figure is a miss, and the second one ends the game without bonus.
    const qint32 before = s.fcount;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(600, 450));
    EXPECT_TRUE(s.livesLeft == 0 && s.gameRunning == 0 && widget("Pics0")->isHidden());
    EXPECT_TRUE(s.fcount == before && form2()->fcount == before);
    // The mouth's hint went with the girl: the next game shows the boy with only his own hint.
    form2()->close();
    form.PicB_Click();
    EXPECT_TRUE(hint() && cleanBesideHint());
}

TEST_F(Form1Test, AClickWaitingWhileAHitFlashesIsJudgedAfterItAgainstTheNextWord)
{
    form.PicB_Click();
    ASSERT_EQ(s.wordList[asked()], "brow");
    // A second press on the brow, queued in the window system as the first is judged.
    const QPointF brow = QRectF(origin(asked()), corner(asked())).center();
    QWindow *window = form.windowHandle();
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, brow, window->mapToGlobal(brow),
            type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::RightButton, type);
    answer();
    EXPECT_TRUE(s.questionIndex == 1 && s.livesLeft == 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.questionIndex == 1 && s.livesLeft == 1) << "the chin was asked when it came";
}

TEST_F(Form1Test, HelpFreezesTheClockUntilTheNextRoundButNotThePauseAndTheClockRunsOutAtTheTick479)
{
    form.PicB_Click();
    form.PicBh_Click();
    form3()->close();
    EXPECT_FALSE(timer("Timer1")->isActive());
    play(s.wordCount);
    form.PicBh_Click();
    play(0, 6);
    EXPECT_TRUE(s.figureNo == 2 && timer("Timer1")->isActive() &&
                last() == cue(content::wordSound(2, asked())));

    form.Timer1_Timer();
    EXPECT_TRUE(bar(Qt::darkBlue, {1, 4}) && bar(Qt::red, {2, 3}));
    for (int tick = 2; tick <= 478; ++tick)
        form.Timer1_Timer();
    EXPECT_EQ(s.gameRunning, -1);
    // The 479th tick comes while a hit flashes: the game ends and the hit counts for nothing.
    const qint32 score = s.fcount;
    timer("Timer1")->start(0);
    answer();
    EXPECT_TRUE(s.gameRunning == 0 && s.questionIndex == 0 && s.fcount == score && last() == "hold 400");
    EXPECT_TRUE(bar(Qt::darkBlue, {1}) && bar(Qt::red, {2, 480}) && bar(QColor(255, 255, 128), {0, 481}));
    EXPECT_TRUE(shows(surface, 200) && form2()->isVisible());
}

TEST_F(Form1Test, TheClockRunningOutInThePauseEndsTheGameWithoutAnotherRound)
{
    form.PicB_Click();
    play(s.wordCount);
    s.timeBarPos = 479;
    form.Timer1_Timer();
    EXPECT_TRUE(!s.gameRunning && form2()->isVisible() && !timer("Timer2")->isActive());
}

TEST(Form1Timers, TickAtTheirOwnIntervalsAndTheMascotFallsSilentHalfASecondAfterAClick)
{
    Recorder rec;
    InOrder random;
    Form1 form{rec, rec, random};
    const std::pair<const char *, int> intervals[] = {{"Timer1", 300}, {"Timer2", 500}, {"TimerBoy", 500}};
    for (auto [name, ms] : intervals) {
        const QTimer *timer = form.findChild<QTimer *>(name);
        EXPECT_TRUE(timer->interval() == ms && timer->timerType() == Qt::PreciseTimer) << name;
    }
    form.show();
    form.PicB_Click();
    auto *mascot = form.findChild<QWidget *>("Picboy");
    QTest::mouseClick(mascot, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage speaking = mascot->grab().toImage();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(300);
    EXPECT_EQ(mascot->grab().toImage(), speaking) << "silent already after 300 ms";
    while (mascot->grab().toImage() == speaking && clock.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_LT(clock.elapsed(), 3000) << "still speaking";
}

TEST_F(Form1Test, StaysDisabledUntilHelpAndTheLeaderboardThatTheClockOpenedBehindItAreBothClosed)
{
    for (bool helpFirst : {true, false}) {
        form.PicB_Click();
        play(s.wordCount);
        // Help opened in the pause; the next round starts the clock behind it, and it runs out.
        form.PicBh_Click();
        play(0, 6);
        s.timeBarPos = 479;
        form.Timer1_Timer();
        ASSERT_TRUE(form2()->isVisible() && form3()->isVisible() && !s.gameRunning);
        (helpFirst ? static_cast<QWidget *>(form3()) : form2())->close();
        EXPECT_FALSE(form.isEnabled()) << "with help closed first: " << helpFirst;
        (helpFirst ? static_cast<QWidget *>(form2()) : form3())->close();
        EXPECT_TRUE(form.isEnabled());
    }
}
