#include "catalogue.h"
#include "cue_player.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "picture_box.h"
#include "seams.h"
#include "window_surface.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <set>

// Reaches the window's private parts, as the game's own procedures do.
class Form1Peer
{
public:
    explicit Form1Peer(Form1 &form)
        : f(form)
    {}
    Form1State &s() { return f.s_; }
    void BeginRound() { f.BeginRound(); }
    toolkit::WindowSurface *surface() { return f.surface_; }
    toolkit::PictureBox *box(const char *name) { return f.findChild<toolkit::PictureBox *>(name); }
    QLabel *label(const char *name) { return f.findChild<QLabel *>(name); }
    QTimer *timer(const char *name) { return f.findChild<QTimer *>(name); }
    Form2 *form2() { return f.form2_.get(); }
    Form3 *form3() { return f.form3_.get(); }

private:
    Form1 &f;
};

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

int soundNumber(const QByteArray &wav)
{
    for (int n : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 121, 122,
                  123, 124, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210})
        if (content::sound(n) == wav)
            return n;
    return 0;
}

// Sounds and holds in the order the game asked for them: "122 wait", "hold 400".
struct Recorder : CuePlayer, Hold
{
    QStringList events;
    std::function<void()> onHold;
    QString last() const { return events.isEmpty() ? QString() : events.last(); }
    void play(const QByteArray &wav, bool wait) override
    {
        events << QString::number(soundNumber(wav)) + (wait ? " wait" : "");
    }
    void hold(int ms) override
    {
        events << QStringLiteral("hold %1").arg(ms);
        if (onHold)
            onHold();
    }
};

// Fractions that keep the catalogue order, so that each test knows its words.
struct InOrder : RandomSource
{
    int seeds = 0;
    int next = 0;
    void seedFromClock() override
    {
        ++seeds;
        next = 0;
    }
    float nextFraction() override { return (next++ + 0.5f) / 10; }
};

QImage shown(QWidget *widget, QRect area)
{
    return widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

// The picture's pixels at its own size, where the widget shows it at `at`.
bool shows(QWidget *widget, int picture, QPoint at = {})
{
    const QImage want = content::pictureImage(picture).convertToFormat(QImage::Format_RGB32);
    return !want.isNull() && shown(widget, QRect(at, want.size())) == want;
}

} // namespace

class Form1Test : public ::testing::Test
{
protected:
    Recorder rec;
    InOrder random;
    QTemporaryDir boardDir;
    Form1 form{rec, rec, random};
    Form1Peer peer{form};
    Form1State &s = peer.s();

    void SetUp() override
    {
        ASSERT_FALSE(content::sound(content::HitSound).isEmpty());
        ASSERT_FALSE(content::pictureImage(210).isNull());
        s.sPath = boardDir.path() + '/';
        // Ticks come only from the tests; a real one would change the score.
        for (const char *name : {"Timer1", "Timer2", "TimerBoy"})
            peer.timer(name)->setInterval(24 * 3600 * 1000);
        form.show();
    }

    qint16 asked() const { return s.questionOrder[s.questionIndex]; }
    QPoint spotOrigin(qint16 w) const { return {s.spotLeft[w], s.spotTop[w]}; }
    void click(float x, float y) { form.Form_MouseDown(Qt::LeftButton, {}, x, y); }
    void answer()
    {
        const qint16 w = asked();
        click((s.spotLeft[w] + s.spotRight[w]) / 2.0f, (s.spotTop[w] + s.spotBottom[w]) / 2.0f);
    }
    void answerUpTo(int questionIndex)
    {
        while (s.questionIndex < questionIndex)
            answer();
    }
    void pauseTicks(int n)
    {
        for (int i = 0; i < n; ++i)
            form.Timer2_Timer();
    }
    void playRounds(int rounds)
    {
        form.PicB_Click();
        for (int round = 0; round < rounds; ++round) {
            answerUpTo(s.wordCount);
            pauseTicks(6);
        }
    }
    void playToLastWord()
    {
        playRounds(3);
        answerUpTo(s.wordCount - 1);
    }
    bool barRow(int row, QColor colour)
    {
        const QImage bar = shown(peer.box("PicLong"), {0, 0, 9, 520});
        for (int x = 1; x <= 7; ++x)
            if (bar.pixelColor(x, row) != colour)
                return false;
        return true;
    }
};

TEST_F(Form1Test, StartsWithFigureOneAndNoGame)
{
    EXPECT_TRUE(shows(peer.surface(), 100));
    EXPECT_TRUE(shows(peer.box("PicB"), 502));
    EXPECT_TRUE(shows(peer.box("PicBh"), 503));
    EXPECT_TRUE(shows(peer.box("Pics0"), 501) && shows(peer.box("Pics1"), 501));
    EXPECT_EQ(peer.label("Label2")->text(), "0");
    EXPECT_EQ(peer.label("Label3")->text(), "");
    EXPECT_TRUE(peer.box("Picboy")->isHidden() && peer.box("PicLong")->isHidden());
    EXPECT_EQ(programFilesFolder(), QCoreApplication::applicationDirPath() + "/");
    EXPECT_EQ(form.windowTitle(), "Tovasel");
    EXPECT_FALSE(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    // Help and the mascot change nothing while no game runs.
    form.Picboy_Click();
    form.PicBh_Click();
    peer.form3()->close();
    click(280, 163);
    EXPECT_TRUE(rec.events.isEmpty());
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.livesLeft, 2);
}

TEST_F(Form1Test, PlaysFourRoundsInOrderWithHintsOnlyAtLevelOne)
{
    form.PicB_Click();
    EXPECT_EQ(peer.label("Label2")->text(), "");
    EXPECT_TRUE(barRow(1, QColor(0, 0, 128)) && barRow(480, QColor(0, 0, 128)));
    const std::pair<int, int> rounds[] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}};
    for (auto [figure, level] : rounds) {
        SCOPED_TRACE(QStringLiteral("figure %1 level %2").arg(figure).arg(level).toStdString());
        ASSERT_EQ(s.figureNo, figure);
        ASSERT_EQ(s.level, level);
        std::set<qint16> words;
        while (s.questionIndex < s.wordCount) {
            const qint16 w = asked();
            words.insert(w);
            EXPECT_EQ(peer.label("Label3")->text(), s.wordList[w]);
            EXPECT_EQ(rec.last(), QString::number(content::wordSound(figure, w)));
            EXPECT_EQ(shows(peer.surface(), content::wordPicture(figure, w), spotOrigin(w)), level == 1);
            bool flashed = false;
            rec.onHold = [&] {
                flashed = shows(peer.surface(), content::wordPicture(figure, w), spotOrigin(w));
            };
            answer();
            EXPECT_TRUE(flashed);
        }
        EXPECT_EQ(words.size(), 10u);
        EXPECT_TRUE(shows(peer.surface(), 100 * figure));
        if (figure == 2 && level == 2)
            break;
        EXPECT_EQ(rec.last(), "123");
        EXPECT_TRUE(peer.timer("Timer1")->isActive()); // the clock runs on to the first pause tick
        pauseTicks(1);
        EXPECT_FALSE(peer.timer("Timer1")->isActive());
        // No question is current in the pause: neither a miss nor a would-be hit counts.
        const auto before = std::tuple(rec.events.size(), s.fcount, s.livesLeft, s.level, s.bonusLevel);
        click(3, 3);
        answer();
        EXPECT_EQ(std::tuple(rec.events.size(), s.fcount, s.livesLeft, s.level, s.bonusLevel), before);
        pauseTicks(4);
        EXPECT_EQ(s.figureNo, figure);
        pauseTicks(1);
    }
    EXPECT_EQ(random.seeds, 4);
    EXPECT_EQ(s.gameRunning, 0);
    EXPECT_EQ(s.gameCompleted, -1);
    ASSERT_TRUE(peer.form2() && peer.form2()->isVisible());
    EXPECT_EQ(peer.form2()->grd, 1);
    EXPECT_EQ(peer.form2()->fcount, s.fcount);
    EXPECT_FALSE(form.isEnabled());

    peer.form2()->close();
    form.PicB_Click();
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.figureNo, 1);
    EXPECT_TRUE(shows(peer.surface(), content::wordPicture(1, asked()), spotOrigin(asked())));
}

class CompletionBonus : public Form1Test, public ::testing::WithParamInterface<std::pair<int, int>>
{
};

TEST_P(CompletionBonus, PaysForTheClockLeftAtTheEnd)
{
    playToLastWord();
    s.timeBarPos = qint16(GetParam().first);
    const qint32 before = s.fcount;
    answer();
    EXPECT_EQ(s.fcount, before + GetParam().second);
    EXPECT_EQ(peer.label("Label2")->text(), QString::number(s.fcount));
    EXPECT_EQ(peer.form2()->fcount, s.fcount);
}

INSTANTIATE_TEST_SUITE_P(Form1, CompletionBonus,
                         ::testing::Values(std::pair(250, 4500), std::pair(450, -1500)));

TEST_F(Form1Test, JudgesOnlyTheInsideOfTheAskedSpot)
{
    form.PicB_Click();
    ASSERT_EQ(s.wordList[asked()], "brow"); // 274,158,301,169
    for (auto [x, y] : {std::pair(301.f, 160.f), {274.f, 160.f}, {280.f, 169.f}}) {
        click(x, y);
        EXPECT_EQ(s.questionIndex, 0) << x << "," << y;
        EXPECT_EQ(s.livesLeft, 1) << x << "," << y;
        s.livesLeft = 2;
        peer.box("Pics1")->show();
    }
    click(275, 159);
    EXPECT_EQ(s.questionIndex, 1);
    EXPECT_EQ(rec.events.mid(rec.events.size() - 3, 2), QStringList({"hold 400", "122 wait"}));

    // Every button counts, through the window's own surface; right of the figure is a miss.
    QTest::mouseClick(peer.surface(), Qt::RightButton, {}, QPoint(288, 258));  // chin
    QTest::mouseClick(peer.surface(), Qt::MiddleButton, {}, QPoint(280, 190)); // eye
    EXPECT_EQ(s.questionIndex, 3);
    QTest::mouseClick(peer.surface(), Qt::LeftButton, {}, QPoint(600, 450));
    EXPECT_EQ(s.livesLeft, 1);
    EXPECT_TRUE(peer.box("Pics1")->isHidden() && !peer.box("Pics0")->isHidden());
    EXPECT_EQ(rec.last(), "121 wait");
}

TEST_F(Form1Test, JudgesOverlappingSpotsByTheWordAskedOnly)
{
    form.PicB_Click();
    s.figureNo = 2;
    peer.BeginRound();
    s.questionIndex = 6;
    ASSERT_EQ(s.wordList[asked()], "mouth");
    click(202, 304); // on the tongue
    EXPECT_EQ(s.questionIndex, 7);
    EXPECT_EQ(s.livesLeft, 2);
}

TEST_F(Form1Test, SecondMissEndsTheGameWithoutBonus)
{
    form.PicB_Click();
    answer();
    const qint32 score = s.fcount;
    click(3, 3);
    click(3, 3);
    EXPECT_EQ(s.livesLeft, 0);
    EXPECT_TRUE(peer.box("Pics0")->isHidden() && peer.box("Pics1")->isHidden());
    EXPECT_EQ(s.gameRunning, 0);
    EXPECT_EQ(s.fcount, score);
    EXPECT_EQ(peer.form2()->fcount, score);
    const int heard = int(rec.events.size());
    click(3, 3);
    form.Picboy_Click();
    EXPECT_EQ(rec.events.size(), heard);
}

TEST_F(Form1Test, ScoresNineAnswersARoundByTheirSpeed)
{
    form.PicB_Click();
    answer();
    EXPECT_EQ(peer.label("Label2")->text(), "1060"); // 50 + 10 + 1000 / 1
    EXPECT_EQ(s.answerTicks, 2);
    s.fcount = 100 - 60;
    s.answerTicks = 16;
    answer();
    EXPECT_EQ(s.fcount, 162);
    answerUpTo(9);
    const QString shownScore = peer.label("Label2")->text();
    const qint32 score = s.fcount;
    s.lastBonusScore = qint16(score - 1001);
    answer();
    EXPECT_EQ(s.fcount, score);
    EXPECT_EQ(peer.label("Label2")->text(), shownScore);
    // Over a thousand points since the last step: the bonus steps at the round end.
    EXPECT_EQ(s.bonusLevel, 2);
    EXPECT_EQ(s.lastBonusScore, score);
}

TEST_F(Form1Test, StopsJudgingWhenTheClockRunsOutDuringTheFlash)
{
    form.PicB_Click();
    s.timeBarPos = 479;
    peer.timer("Timer1")->start(0);
    answer();
    EXPECT_EQ(s.gameRunning, 0);
    EXPECT_EQ(s.questionIndex, 0);
    EXPECT_FALSE(rec.events.contains("122 wait"));
    EXPECT_TRUE(shows(peer.surface(), 100));
    EXPECT_TRUE(peer.form2()->isVisible());
}

TEST_F(Form1Test, RunsOutOfTimeAtTheTick479)
{
    form.PicB_Click();
    form.Timer1_Timer();
    EXPECT_TRUE(barRow(1, QColor(0, 0, 128)));
    EXPECT_TRUE(barRow(2, Qt::red) && barRow(3, Qt::red) && barRow(4, QColor(0, 0, 128)));
    for (int tick = 2; tick <= 478; ++tick)
        form.Timer1_Timer();
    EXPECT_EQ(s.gameRunning, -1);
    form.Timer1_Timer();
    EXPECT_EQ(s.gameRunning, 0);
    EXPECT_EQ(s.fcount, 0);
    EXPECT_TRUE(barRow(1, QColor(0, 0, 128)) && barRow(2, Qt::red) && barRow(480, Qt::red));
    EXPECT_TRUE(barRow(0, QColor(255, 255, 128)) && barRow(481, QColor(255, 255, 128)));
    EXPECT_TRUE(peer.form2()->isVisible());
}

TEST_F(Form1Test, HelpFreezesTheClockUntilTheNextRoundButNotThePause)
{
    form.PicB_Click();
    form.PicBh_Click();
    EXPECT_FALSE(peer.timer("Timer1")->isActive());
    EXPECT_TRUE(peer.form3()->isVisible());
    peer.form3()->close();
    EXPECT_FALSE(peer.timer("Timer1")->isActive());
    answerUpTo(s.wordCount);
    form.PicBh_Click();
    pauseTicks(6);
    EXPECT_EQ(s.figureNo, 2);
    EXPECT_TRUE(peer.timer("Timer1")->isActive());
    EXPECT_EQ(rec.last(), QString::number(content::wordSound(2, asked())));
}

TEST_F(Form1Test, MascotSpeaksAndFallsSilentWithItsLevelsFrames)
{
    form.PicB_Click();
    toolkit::PictureBox *mascot = peer.box("Picboy");
    for (auto [level, figure] : {std::pair(1, 1), {1, 2}, {2, 1}, {2, 2}}) {
        s.level = qint16(level);
        s.figureNo = qint16(figure);
        form.Picboy_Click();
        EXPECT_TRUE(shows(mascot, content::speakingMascot(level, figure))) << level << figure;
        EXPECT_EQ(rec.last(), "101");
        EXPECT_TRUE(peer.timer("TimerBoy")->isActive());
        form.TimerBoy_Timer();
        EXPECT_TRUE(shows(mascot, content::idleMascot(level, figure))) << level << figure;
        EXPECT_FALSE(peer.timer("TimerBoy")->isActive());
    }
    // The game's last word answered within the interval: level 3 has no mascot.
    s.level = 1;
    s.figureNo = 1;
    playToLastWord();
    answer();
    ASSERT_EQ(s.level, 3);
    form.TimerBoy_Timer();
    EXPECT_TRUE(shows(mascot, content::idleMascot(2, 2))); // the mascot of the round just finished
    EXPECT_FALSE(peer.timer("TimerBoy")->isActive());
}
