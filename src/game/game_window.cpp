// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_window.h"

#include "board_folder.h"

#include "catalogue.h"
#include "cue_player.h"
#include "events.h"
#include "fonts.h"
#include "game_session.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "picture_box.h"
#include "program_folder.h"
#include "progress_window.h"
#include "scaled_frame.h"
#include "tally.h"
#include "twips.h"
#include "window_surface.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStandardPaths>

namespace {

const QColor Navy(0, 0, 128);
constexpr int NavyColour = 1;
constexpr int RedColour = 12;
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

GameWindow::GameWindow(CuePlayer &player, RandomSource &random, const QString &boardFolder)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , player_(player)
    , boardFolder_(boardFolder)
    , session_(new GameSession(player, random, this))
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
    // For parents, between games: what the child knows, word by word.
    auto *showProgress = new QAction(this);
    showProgress->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(showProgress, &QAction::triggered, this, [this] {
        if (session_->phase() == GameSession::Phase::Idle)
            progressWindow().open();
    });
    addAction(showProgress);

    createControls();
    connectSession();
    frame->setArea(surface_, &content::largerPicture);

    toolkit::setOuterGeometryTwips(this, OuterTwips.left(), OuterTwips.top(), OuterTwips.width(),
                                   OuterTwips.height());
    for (auto *life : lives_)
        showPictureIfAny(life, content::LifeIcon);
    showPictureIfAny(startButton_, content::StartButton);
    showPictureIfAny(helpButton_, content::HelpButton);
    showPictureIfAny(surface_, content::figurePicture(1));
}

GameWindow::~GameWindow() = default;

void GameWindow::createControls()
{
    startButton_ = makeBox(surface_, "startButton", {496, 240});
    //: The start button, a triangle: begins a game.
    startButton_->setToolTip(tr("开始"));
    startButton_->setAccessibleName(startButton_->toolTip());
    helpButton_ = makeBox(surface_, "helpButton", {496, 288});
    //: The help button, a question mark.
    helpButton_->setToolTip(tr("帮助"));
    helpButton_->setAccessibleName(helpButton_->toolTip());
    mascot_ = makeBox(surface_, "mascot", {496, 26});
    mascot_->resize(97, 161);
    //: The little animal that speaks the word, for a screen reader.
    mascot_->setAccessibleName(tr("小动物"));
    //: What clicking the little animal does: it says the word again.
    mascot_->setAccessibleDescription(tr("再说一遍"));
    mascot_->hide();
    lives_ = {makeBox(surface_, "life1", {504, 8}), makeBox(surface_, "life2", {528, 8})};
    for (auto *life : lives_) {
        life->resize(17, 17);
        //: One of the player's two lives, for a screen reader.
        life->setAccessibleName(tr("生命"));
    }
    timeBar_ = new toolkit::PictureBox(surface_);
    timeBar_->setObjectName(QStringLiteral("timeBar"));
    timeBar_->setGeometry(483, 0, 9, 520);
    timeBar_->setBackgroundColour(QColor(255, 255, 128));
    //: The bar that fills as the game's time runs out.
    timeBar_->setAccessibleName(tr("时间"));
    timeBar_->hide();
    wordLabel_ = makeLabel(surface_, "wordLabel", {496, 202, 105, 25}, Qt::white, 12);
    //: The English word asked, written beside the figure.
    wordLabel_->setAccessibleName(tr("单词"));
    scoreLabel_ = makeLabel(surface_, "scoreLabel", {560, 376, 73, 25}, QColor(255, 0, 0), 10.5);
    scoreLabel_->setAccessibleName(tr("得分"));
    scoreLabel_->setText(QStringLiteral("0"));
}

void GameWindow::connectSession()
{
    GameSession *session = session_;
    connect(startButton_, &toolkit::PictureBox::clicked, session, &GameSession::start);
    connect(helpButton_, &toolkit::PictureBox::clicked, this, [this] {
        session_->stopClock();
        help().open();
    });
    connect(mascot_, &toolkit::PictureBox::clicked, session, &GameSession::repeatWord);
    connect(surface_, &toolkit::WindowSurface::mouseDown, session,
            [session](Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) { session->click(x, y); });

    connect(session, &GameSession::gameStarted, this, [this] {
        scoreLabel_->clear();
        mascot_->show();
        timeBar_->show();
        timeBar_->fillBox({1, 1}, {7, 480}, NavyColour);
    });
    connect(session, &GameSession::livesChanged, this, [this](int livesLeft) {
        for (int k = 0; k < int(lives_.size()); ++k)
            lives_[k]->setVisible(k < livesLeft);
    });
    connect(session, &GameSession::roundStarted, this, [this](int figureNo) {
        surface_->setPicture(content::picture(content::figurePicture(figureNo)));
    });
    connect(session, &GameSession::wordAsked, wordLabel_, &QLabel::setText);
    const auto paintPicture = [this](int picture, QPoint at) {
        surface_->paintPicture(at, content::picture(picture));
    };
    connect(session, &GameSession::hintShown, this, paintPicture);
    connect(session, &GameSession::hitFlashed, this, paintPicture);
    connect(session, &GameSession::flashEnded, surface_, &toolkit::WindowSurface::clearDrawing);
    connect(session, &GameSession::scoreChanged, this,
            [this](qint32 score) { scoreLabel_->setText(QString::number(score)); });
    connect(session, &GameSession::clockStepped, this, [this](int position) {
        timeBar_->fillBox({1, position + 1}, {7, position + 2}, RedColour);
    });
    connect(session, &GameSession::mascotChanged, this,
            [this](int picture) { mascot_->setPicture(content::picture(picture)); });
    // The record is kept before the board opens over the game.
    auto *tally = new progress::Tally(this);
    connect(session, &GameSession::questionAsked, tally, &progress::Tally::questionAsked);
    connect(session, &GameSession::clickJudged, tally, &progress::Tally::clickJudged);
    connect(session, &GameSession::gameEnded, tally, &progress::Tally::gameEnded);
    connect(session, &GameSession::gameEnded, this, [this](qint32 score) { leaderboard().open(score); });
}

LeaderboardWindow &GameWindow::leaderboard()
{
    if (!leaderboardWindow_) {
        leaderboardWindow_ = std::make_unique<LeaderboardWindow>(this, boardFolder_, player_);
        // Closing the main window ends the program, whatever else is open.
        leaderboardWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *leaderboardWindow_;
}

ProgressWindow &GameWindow::progressWindow()
{
    if (!progressWindow_) {
        progressWindow_ = std::make_unique<ProgressWindow>(this);
        progressWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *progressWindow_;
}

HelpWindow &GameWindow::help()
{
    if (!helpWindow_) {
        helpWindow_ = std::make_unique<HelpWindow>(this);
        helpWindow_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *helpWindow_;
}
