// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_window.h"

#include "board_folder.h"

#include "catalogue.h"
#include "children.h"
#include "cue_player.h"
#include "dialog.h"
#include "events.h"
#include "fonts.h"
#include "full_screen.h"
#include "game_session.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "outer_edges.h"
#include "picture_item.h"
#include "program_folder.h"
#include "progress_window.h"
#include "tally.h"
#include "text_item.h"
#include "word_record.h"

#include <QAction>
#include <QFile>
#include <QGraphicsRectItem>
#include <QGraphicsWidget>
#include <QHBoxLayout>
#include <QIcon>
#include <QStandardPaths>

namespace {

const QColor Navy(0, 0, 128);
const QColor Red(255, 0, 0);
const QColor PaleYellow(255, 255, 128);
// The window's outer edges after start-up; the board is laid out at the
// size of the client area inside them.
constexpr QRect OuterEdges = toolkit::outerEdgesInPixels(1500, 1000, 9400, 7600);

TextItem *addText(QGraphicsScene *scene, const char *name, QRect box, const QColor &colour, qreal points)
{
    auto *text = new TextItem(box.size(), toolkit::songFont(points, true), colour);
    text->setObjectName(QLatin1String(name));
    text->setPos(box.topLeft());
    scene->addItem(text);
    return text;
}

QGraphicsRectItem *addBox(QRect box, const QColor &colour, QGraphicsItem *parent)
{
    auto *item = new QGraphicsRectItem(box, parent);
    item->setPen(Qt::NoPen);
    item->setBrush(colour);
    return item;
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
    return leaderboard::boardFolder(programFolder(), data) + QLatin1Char('/');
}

GameWindow::GameWindow(CuePlayer &player, RandomSource &random, const QString &boardFolder)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , player_(player)
    , boardFolder_(boardFolder)
    , session_(new GameSession(player, random, this))
    , tally_(new progress::Tally(this))
{
    // The scalable icon is for the desktop; the window needs only these sizes,
    // and the title bar only the small one, so the large one waits.
    setWindowIcon(programIcon({":/icons/tovasel-32.png"}));
    afterFirstFrame(this, [this] {
        setWindowIcon(programIcon({":/icons/tovasel-32.png", ":/icons/tovasel-256.png"}));
    });
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Navy);
    setPalette(palette);
    setAutoFillBackground(true);

    // Full screen shows the whole board, laid out at the window's size, larger.
    board_ = new BoardView(toolkit::clientSizeWithin(OuterEdges.size()), this);
    board_->setBackgroundBrush(Navy);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(board_);
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

    createBoard();
    connectSession();
    playerChanged();

    // move() on a top-level window places its frame, not its client area.
    move(OuterEdges.topLeft());
    setFixedSize(toolkit::clientSizeWithin(OuterEdges.size()));
}

void GameWindow::createBoard()
{
    QGraphicsScene *scene = board_->scene();
    figure_ = board_->addPicture("figure", {0, 0});
    figure_->setPicture(content::figurePicture(1));
    // The word's picture over its part: as a hint, and as the flash of a hit.
    hint_ = board_->addPicture("hint", {0, 0}, figure_);
    flash_ = board_->addPicture("flash", {0, 0}, figure_);
    hint_->hide();
    flash_->hide();
    // Presses on the figure are the board's, to be judged.
    for (PictureItem *layer : {figure_, hint_, flash_})
        layer->setAcceptedMouseButtons(Qt::NoButton);

    auto *start = board_->addPicture("start", {496, 240});
    start->setPicture(content::StartButton);
    startButton_ = board_->addControl(start, "startButton");
    //: The start button, a triangle: begins a game.
    startButton_->setToolTip(tr("开始"));
    startButton_->setAccessibleName(startButton_->toolTip());
    auto *help = board_->addPicture("help", {496, 288});
    help->setPicture(content::HelpButton);
    helpButton_ = board_->addControl(help, "helpButton");
    //: The help button, a question mark.
    helpButton_->setToolTip(tr("帮助"));
    helpButton_->setAccessibleName(helpButton_->toolTip());
    mascot_ = board_->addPicture("mascotPicture", {496, 26});
    mascot_->hide();
    mascotButton_ = board_->addControl(mascot_, "mascot");
    //: The little animal that speaks the word, for a screen reader.
    mascotButton_->setAccessibleName(tr("小动物"));
    //: What clicking the little animal does: it says the word again.
    mascotButton_->setAccessibleDescription(tr("再说一遍"));
    lives_ = {board_->addPicture("life1", {504, 8}), board_->addPicture("life2", {528, 8})};
    for (PictureItem *life : lives_) {
        life->setPicture(content::LifeIcon);
        //: One of the player's two lives, for a screen reader.
        board_->addLabel(life, "life")->setAccessibleName(tr("生命"));
    }

    // The time bar: pale yellow, filled navy as a game starts, red from the
    // top as its clock runs.
    timeBar_ = new QGraphicsWidget;
    timeBar_->setGeometry(483, 0, 9, 520);
    scene->addItem(timeBar_);
    addBox({0, 0, 9, 520}, PaleYellow, timeBar_);
    addBox({1, 1, 7, 480}, Navy, timeBar_);
    timeSpent_ = addBox({}, Red, timeBar_);
    timeBar_->hide();
    //: The bar that fills as the game's time runs out, for a screen reader.
    board_->addLabel(timeBar_, "timeBar")->setAccessibleName(tr("时间"));
    wordLabel_ = addText(scene, "wordLabel", {496, 202, 105, 25}, Qt::white, 12);
    //: The English word asked, written beside the figure, for a screen reader.
    board_->addLabel(wordLabel_, "word")->setAccessibleName(tr("单词"));
    scoreLabel_ = addText(scene, "scoreLabel", {560, 376, 73, 25}, Red, 10.5);
    //: The player's score, for a screen reader.
    board_->addLabel(scoreLabel_, "score")->setAccessibleName(tr("得分"));
    scoreLabel_->setText(QStringLiteral("0"));
}

void GameWindow::connectSession()
{
    GameSession *session = session_;
    connect(startButton_, &BoardView::Control::clicked, session, &GameSession::start);
    connect(helpButton_, &BoardView::Control::clicked, this, [this] {
        session_->stopClock();
        help().open();
    });
    connect(mascotButton_, &BoardView::Control::clicked, session, &GameSession::repeatWord);
    connect(board_, &BoardView::pressed, session, &GameSession::click);

    connect(session, &GameSession::gameStarted, this, [this] {
        scoreLabel_->setText({});
        scoreLabel_->show();
        mascot_->show();
        timeBar_->show();
        timeSpent_->setRect({});
    });
    // Practice has no time, no lives and no score; a game shows them again.
    connect(session, &GameSession::practiceStarted, this, [this] {
        mascot_->show();
        timeBar_->hide();
        scoreLabel_->hide();
        for (PictureItem *life : lives_)
            life->hide();
    });
    connect(session, &GameSession::livesChanged, this, [this](int livesLeft) {
        for (int k = 0; k < int(lives_.size()); ++k)
            lives_[k]->setVisible(k < livesLeft);
    });
    connect(session, &GameSession::roundStarted, this, [this](int figureNo) {
        figure_->setPicture(content::figurePicture(figureNo));
        hint_->hide();
        flash_->hide();
    });
    connect(session, &GameSession::wordAsked, wordLabel_, &TextItem::setText);
    connect(session, &GameSession::hintShown, this, [this](int picture, QPoint at) {
        hint_->setPos(at);
        hint_->setPicture(picture);
        hint_->show();
    });
    connect(session, &GameSession::hitFlashed, this, [this](int picture, QPoint at) {
        flash_->setPos(at);
        flash_->setPicture(picture);
        flash_->show();
    });
    connect(session, &GameSession::flashEnded, this, [this] {
        hint_->hide();
        flash_->hide();
    });
    connect(session, &GameSession::scoreChanged, this,
            [this](qint32 score) { scoreLabel_->setText(QString::number(score)); });
    // Each step is the bar's next row and the one below it.
    connect(session, &GameSession::clockStepped, this,
            [this](int position) { timeSpent_->setRect(QRect(QPoint(1, 2), QPoint(7, position + 2))); });
    connect(session, &GameSession::mascotChanged, mascot_, &PictureItem::setPicture);
    // The record is kept before the board opens over the game.
    connect(session, &GameSession::questionAsked, tally_, &progress::Tally::questionAsked);
    connect(session, &GameSession::clickJudged, tally_, &progress::Tally::clickJudged);
    connect(session, &GameSession::gameEnded, tally_, &progress::Tally::gameEnded);
    connect(session, &GameSession::practiceEnded, tally_, &progress::Tally::gameEnded);
    connect(session, &GameSession::gameEnded, this, [this](qint32 score) { leaderboard().open(score); });
}

void GameWindow::playerChanged()
{
    const progress::Child child = progress::readChildren().currentChild();
    setWindowTitle(QStringLiteral("Tovasel - ") + child.name);
    tally_->setRecordPath(progress::recordPath(child.id));
}

void GameWindow::carryOut(const QString &action, const QVariantList &parameter)
{
    if (session_->phase() != GameSession::Phase::Idle || session_->hold() != GameSession::Hold::None ||
        !toolkit::openDialogs(this).isEmpty())
        return;
    // Both name the child, practice optionally.
    if (parameter.size() == 1 &&
        progress::chooseChild(parameter.first().toString()) == progress::NameProblem::None)
        playerChanged();
    if (action == QLatin1String("practice"))
        practise();
}

void GameWindow::startPractice(const QList<std::pair<int, int>> &words)
{
    session_->startPractice(words);
}

// A child with nothing to practise is shown why, in the parents' window.
void GameWindow::practise()
{
    const QList<std::pair<int, int>> words =
        progress::weakWords(progress::readRecord(progress::recordPath(progress::readChildren().current)));
    if (words.isEmpty())
        progressWindow().open();
    else
        startPractice(words);
}

LeaderboardWindow &GameWindow::leaderboard()
{
    if (!leaderboardWindow_)
        leaderboardWindow_ = new LeaderboardWindow(this, boardFolder_, player_);
    return *leaderboardWindow_;
}

ProgressWindow &GameWindow::progressWindow()
{
    if (!progressWindow_) {
        progressWindow_ = new ProgressWindow(this);
        connect(progressWindow_, &ProgressWindow::playerChanged, this, &GameWindow::playerChanged);
        connect(progressWindow_, &ProgressWindow::practiceRequested, this, &GameWindow::practise);
    }
    return *progressWindow_;
}

HelpWindow &GameWindow::help()
{
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    return *helpWindow_;
}
