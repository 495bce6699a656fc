// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_window.h"

#include "board_folder.h"

#include "catalogue.h"
#include "cue_player.h"
#include "events.h"
#include "fonts.h"
#include "game_rules.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "picture_box.h"
#include "program_folder.h"
#include "scaled_frame.h"
#include "seams.h"
#include "twips.h"
#include "window_surface.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QColor Navy(0, 0, 128);
constexpr int NavyColour = 1;
constexpr int RedColour = 12;
constexpr int FlashMs = 400;
constexpr int PauseTickCount = 6;
constexpr qint16 LastClockPos = 478;
// The window's outer edges after start-up, in twips.
constexpr QRect OuterTwips(1500, 1000, 9400, 7600);

toolkit::PictureBox *makeBox(QWidget *parent, const char *name, QPoint at)
{
    auto *box = new toolkit::PictureBox(parent);
    box->setObjectName(QLatin1String(name));
    box->move(at);
    box->setFitsPicture(true);
    return box;
}

QLabel *makeLabel(QWidget *parent, const char *name, QRect geometry, const QColor &text, qreal points)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(toolkit::songFont(points, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, Navy);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QTimer *makeTimer(QObject *parent, const char *name, int ms)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(ms);
    // Coarse timers drift by up to 5 %, and the game clock counts ticks.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

// Start-up goes on without a picture that cannot be loaded.
template <typename Target> void showPictureIfAny(Target *target, int number)
{
    const QPixmap picture = content::picture(number);
    if (!picture.isNull())
        target->setPicture(picture);
}

QIcon programIcon(std::initializer_list<const char *> paths)
{
    QIcon icon;
    for (const char *path : paths) {
        if (QFile::exists(QLatin1String(path)))
            icon.addFile(QLatin1String(path));
    }
    return icon;
}

} // namespace

QString programFilesFolder()
{
    // The board stays beside the program, unless that folder is not the
    // user's to write (an installed copy in /usr/bin): then it goes to the
    // user's data folder. Chosen once, at start-up.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return leaderboard::boardFolder(toolkit::programFolder(), data) + QLatin1Char('/');
}

GameWindow::GameWindow(CuePlayer &player, Hold &hold, RandomSource &random)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , player_(player)
    , hold_(hold)
    , random_(random)
{
    setWindowTitle(QStringLiteral("Tovasel"));
    // The scalable icon is for the desktop; the window needs only these sizes,
    // and the title bar only the small one, so the large one waits.
    setWindowIcon(programIcon({":/icons/tovasel-32.png"}));
    toolkit::afterFirstFrame(this, [this] {
        setWindowIcon(programIcon({":/icons/tovasel-32.png", ":/icons/tovasel-256.png"}));
    });
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Navy);
    setPalette(palette);
    setAutoFillBackground(true);

    // Full screen enlarges the whole client area, laid out at its window size.
    auto *frame = new toolkit::ScaledFrame(
        this, toolkit::clientSizeForOuterTwips(OuterTwips.width(), OuterTwips.height()));
    surface_ = new toolkit::WindowSurface(frame);
    surface_->setObjectName(QStringLiteral("surface"));
    surface_->setBackgroundColour(Navy);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    auto *fullScreen = new QAction(this);
    fullScreen->setShortcuts({QKeySequence(Qt::Key_F11), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});
    // The game goes on as it was: only its size on the screen changes.
    connect(fullScreen, &QAction::triggered, this, [this] { toolkit::toggleFullScreen(this); });
    addAction(fullScreen);

    PicB = makeBox(surface_, "PicB", {496, 240});
    PicB->setToolTip(QStringLiteral("开始"));
    PicB->setAccessibleName(QStringLiteral("开始"));
    PicBh = makeBox(surface_, "PicBh", {496, 288});
    PicBh->setToolTip(QStringLiteral("帮助"));
    PicBh->setAccessibleName(QStringLiteral("帮助"));
    Picboy = makeBox(surface_, "Picboy", {496, 26});
    Picboy->resize(97, 161);
    Picboy->setAccessibleName(QStringLiteral("小动物"));
    Picboy->setAccessibleDescription(QStringLiteral("再说一遍"));
    Picboy->hide();
    Pics[0] = makeBox(surface_, "Pics0", {504, 8});
    Pics[1] = makeBox(surface_, "Pics1", {528, 8});
    for (auto *life : Pics) {
        life->resize(17, 17);
        life->setAccessibleName(QStringLiteral("生命"));
    }
    PicLong = new toolkit::PictureBox(surface_);
    PicLong->setObjectName(QStringLiteral("PicLong"));
    PicLong->setGeometry(483, 0, 9, 520);
    PicLong->setBackgroundColour(QColor(255, 255, 128));
    PicLong->setAccessibleName(QStringLiteral("时间"));
    PicLong->hide();
    PicAvW = makeBox(surface_, "PicAvW", {280, 258});
    PicAvW->resize(41, 41);
    PicAvW->hide();
    Label3 = makeLabel(surface_, "Label3", {496, 202, 105, 25}, Qt::white, 12);
    Label3->setAccessibleName(QStringLiteral("单词"));
    Label2 = makeLabel(surface_, "Label2", {560, 376, 73, 25}, QColor(255, 0, 0), 10.5);
    Label2->setAccessibleName(QStringLiteral("得分"));
    Label2->setText(QStringLiteral("0"));

    Timer1 = makeTimer(this, "Timer1", 300);
    Timer2 = makeTimer(this, "Timer2", 500);
    TimerBoy = makeTimer(this, "TimerBoy", 500);

    connect(PicB, &toolkit::PictureBox::clicked, this, &GameWindow::PicB_Click);
    connect(PicBh, &toolkit::PictureBox::clicked, this, &GameWindow::PicBh_Click);
    connect(Picboy, &toolkit::PictureBox::clicked, this, &GameWindow::Picboy_Click);
    connect(surface_, &toolkit::WindowSurface::mouseDown, this, &GameWindow::Form_MouseDown);
    connect(Timer1, &QTimer::timeout, this, &GameWindow::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &GameWindow::Timer2_Timer);
    connect(TimerBoy, &QTimer::timeout, this, &GameWindow::TimerBoy_Timer);

    frame->setArea(surface_, &content::largerPicture);
    Form_Load();
}

GameWindow::~GameWindow() = default;

// What every new game starts from, and the window too before any game. The
// level goes back to 1 as well: a game after a completed one would otherwise
// start at level 3, which has no rounds, and one after a game lost at level 2
// would skip level 1.
void GameWindow::resetGameCounters()
{
    s_.level = 1;
    s_.bonusLevel = 1;
    s_.fcount = 0;
    s_.lastBonusScore = 0;
    s_.pauseTicks = 0;
    s_.livesLeft = 2;
    s_.questionIndex = 0;
}

void GameWindow::Form_Load()
{
    resetGameCounters();
    s_.gameRunning = 0;
    s_.figureNo = 1;
    placeWindow();
    s_.sPath = programFilesFolder();
    for (int i = 0; i < s_.livesLeft; ++i)
        showPictureIfAny(Pics[i], content::LifeIcon);
    showPictureIfAny(PicB, content::StartButton);
    showPictureIfAny(PicBh, content::HelpButton);
    showPictureIfAny(surface_, content::figurePicture(1));
}

void GameWindow::placeWindow()
{
    toolkit::setOuterGeometryTwips(this, OuterTwips.left(), OuterTwips.top(), OuterTwips.width(),
                                   OuterTwips.height());
}

void GameWindow::PicB_Click()
{
    if (s_.gameRunning)
        return;
    s_.gameCompleted = 0;
    List1_Click();
    s_.gameRunning = -1;
    Picboy->show();
    s_.timeBarPos = 1;
}

void GameWindow::PicBh_Click()
{
    // Nothing restarts the clock when help closes; the next round does.
    Timer1->stop();
    help().open();
}

void GameWindow::Picboy_Click()
{
    if (!s_.gameRunning)
        return;
    Picboy->setPicture(content::picture(content::speakingMascot(s_.level, s_.figureNo)));
    TimerBoy->start();
    play(s_.wordSound, false);
}

void GameWindow::List1_Click()
{
    Label2->setText(QString());
    resetGameCounters();
    for (auto *life : Pics)
        life->show();
    s_.answerTicks = 1;
    BeginRound();
}

void GameWindow::BeginRound()
{
    surface_->setPicture(content::picture(content::figurePicture(s_.figureNo)));
    s_.answerTicks = 1;
    if (s_.figureNo == 1 && s_.level == 1) {
        PicLong->show();
        PicLong->fillBox({1, 1}, {7, 480}, NavyColour);
    }

    const QStringList words = game::splitWordList(content::text(content::wordListText(s_.figureNo)));
    s_.wordCount = qint16(std::min<qsizetype>(words.size(), s_.wordList.size()));
    for (int i = 0; i < s_.wordCount; ++i)
        s_.wordList[i] = words[i];

    for (int i = 0; i < 10; ++i)
        s_.spots[i] = content::hotSpot(s_.figureNo, i);

    ShuffleOrder(s_.wordCount);
    AskQuestion();
    Timer1->start();
}

void GameWindow::ShuffleOrder(qint16 count)
{
    random_.seedFromClock();
    game::reinsertionShuffle(s_.questionOrder.data(), count, [this] { return random_.nextFraction(); });
}

void GameWindow::AskQuestion()
{
    const qint16 w = s_.questionOrder[s_.questionIndex];
    Picboy->setPicture(content::picture(content::speakingMascot(s_.level, s_.figureNo)));
    TimerBoy->start();
    Label3->setText(s_.wordList[w]);
    s_.wordSound = content::sound(content::wordSound(s_.figureNo, w));
    play(s_.wordSound, false);
    if (s_.level == 1)
        paintWordPicture(w);
}

void GameWindow::Form_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, float X, float Y)
{
    if (!s_.gameRunning)
        return;
    // Between rounds no question is current; such clicks count for nothing.
    if (s_.questionIndex >= s_.wordCount || Timer2->isActive())
        return;

    const qint16 w = s_.questionOrder[s_.questionIndex];
    const bool hit = w < qint16(s_.spots.size()) && game::insideHotSpot(s_.spots[w], X, Y);
    if (!hit) {
        s_.effectSound = content::sound(content::MissSound);
        play(s_.effectSound, true);
        s_.livesLeft = qint16(s_.livesLeft - 1);
        if (s_.livesLeft >= 0 && s_.livesLeft < qint16(Pics.size()))
            Pics[s_.livesLeft]->hide();
        if (s_.livesLeft <= 0)
            EndGame();
        return;
    }

    // The flash must reach the screen before the thread is held; input that
    // comes meanwhile stays queued and is judged after this click.
    paintWordPicture(w);
    repaint();
    toolkit::processPendingEventsWithoutInput();
    hold_.hold(FlashMs);
    surface_->clearDrawing();
    // A clock tick that ran during the flash may have ended the game.
    if (!s_.gameRunning)
        return;
    s_.questionIndex = qint16(s_.questionIndex + 1);
    s_.effectSound = content::sound(content::HitSound);
    play(s_.effectSound, true);

    if (s_.questionIndex < s_.wordCount) {
        s_.fcount = game::scoreAfterAnswer(s_.fcount, s_.bonusLevel, s_.answerTicks);
        Label2->setText(QString::number(s_.fcount));
        s_.answerTicks = qint16(s_.answerTicks + 1);
        AskQuestion();
        return;
    }

    // The round's last word: the level rises after figure 2.
    bool completed = false;
    if (s_.figureNo >= 2) {
        s_.level = qint16(s_.level + 1);
        if (s_.level >= 3) {
            s_.gameCompleted = -1;
            EndGame();
            completed = true;
        }
    }
    if (!completed) {
        s_.effectSound = content::sound(content::CheerSound);
        play(s_.effectSound, false);
        Timer2->start();
    }
    const game::BonusState bonus = game::bonusAfterRound(s_.fcount, {s_.bonusLevel, s_.lastBonusScore});
    s_.bonusLevel = bonus.bonusLevel;
    s_.lastBonusScore = bonus.lastBonusScore;
}

void GameWindow::EndGame()
{
    Timer1->stop();
    Timer2->stop();
    s_.gameRunning = 0;
    if (s_.gameCompleted) {
        s_.fcount += game::completionBonus(s_.timeBarPos);
        Label2->setText(QString::number(s_.fcount));
    }
    s_.timeBarPos = 1;
    s_.figureNo = 1;
    leaderboard().open(s_.fcount);
}

void GameWindow::Timer1_Timer()
{
    s_.answerTicks = qint16(s_.answerTicks + 1);
    if (s_.timeBarPos > LastClockPos) {
        EndGame();
        return;
    }
    PicLong->fillBox({1, s_.timeBarPos + 1}, {7, s_.timeBarPos + 2}, RedColour);
    s_.timeBarPos = qint16(s_.timeBarPos + 1);
}

void GameWindow::Timer2_Timer()
{
    Timer1->stop();
    s_.pauseTicks = qint16(s_.pauseTicks + 1);
    if (s_.pauseTicks < PauseTickCount)
        return;
    Timer2->stop();
    s_.pauseTicks = 0;
    s_.questionIndex = 0;
    s_.figureNo = qint16(s_.figureNo + 1);
    if (s_.figureNo < 3) {
        BeginRound();
    } else if (s_.level < 3) {
        s_.figureNo = 1;
        BeginRound();
    } else {
        EndGame();
    }
}

void GameWindow::TimerBoy_Timer()
{
    // Level 3 has no mascot: it is reached only by finishing figure 2 at
    // level 2, whose mascot stays, though EndGame has put figureNo back to 1.
    const int idle = s_.level >= 3 ? content::idleMascot(2, 2) : content::idleMascot(s_.level, s_.figureNo);
    Picboy->setPicture(content::picture(idle));
    TimerBoy->stop();
}

void GameWindow::paintWordPicture(qint16 w)
{
    PicAvW->setPicture(content::picture(content::wordPicture(s_.figureNo, w)));
    surface_->paintPicture(s_.spots[w].topLeft(), PicAvW->picture());
}

void GameWindow::play(const QByteArray &wav, bool wait)
{
    if (!wav.isEmpty())
        player_.play(wav, wait);
}

LeaderboardWindow &GameWindow::leaderboard()
{
    if (!leaderboardWindow_) {
        leaderboardWindow_ = std::make_unique<LeaderboardWindow>(this, s_.sPath, player_);
        // Closing the main window ends the program, whatever else is open.
        leaderboardWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *leaderboardWindow_;
}

HelpWindow &GameWindow::help()
{
    if (!helpWindow_) {
        helpWindow_ = std::make_unique<HelpWindow>(this);
        helpWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *helpWindow_;
}
