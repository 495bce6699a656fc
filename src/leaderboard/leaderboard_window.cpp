// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "leaderboard_window.h"

#include "board_entry.h"
#include "board_file.h"
#include "catalogue.h"
#include "cue_player.h"
#include "fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

QString promptCaption()
{
    //: Over the name box when the score earns a place: "Congratulations, you are on the board. Your name:"
    return LeaderboardWindow::tr("恭喜恭喜!您上榜了。您的大名:");
}

QString saveFailedCaption()
{
    //: In place of the prompt when the name could not be stored; must fit 217 pixels.
    return LeaderboardWindow::tr("抱歉,您的大名没能保存。");
}

QString boardCaption()
{
    //: The window's title, and its caption when the score earns no place.
    return LeaderboardWindow::tr("排行榜");
}

constexpr int RowTop = 80;
constexpr int RowStep = 24;

// A column of the board, one label a place, named prefix0, prefix1, ...
// Names come from a file anyone can edit: never let them be read as markup.
QList<QLabel *> makeColumn(QWidget *window, const QString &prefix, int left, int width)
{
    QList<QLabel *> column;
    for (int place = 0; place < leaderboard::BoardPlaces; ++place) {
        auto *label = new QLabel(window);
        label->setObjectName(prefix + QString::number(place));
        label->setGeometry(left, RowTop + RowStep * place, width, 25);
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        column.append(label);
    }
    return column;
}

} // namespace

LeaderboardWindow::LeaderboardWindow(QWidget *opener, const QString &boardFolder, CuePlayer &player)
    : Dialog(opener, boardCaption(), QSize(348, 371))
    , boardPath_(boardFolder + leaderboard::boardFileName())
    , player_(player)
{
    promptLabel_ = new QLabel(this);
    promptLabel_->setObjectName(QStringLiteral("promptLabel"));
    promptLabel_->setGeometry(16, 24, 217, 25);
    promptLabel_->setFont(toolkit::songFont(9, true));
    promptLabel_->setAlignment(Qt::AlignCenter);
    promptLabel_->setTextFormat(Qt::PlainText);
    QPalette red = promptLabel_->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    promptLabel_->setPalette(red);

    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setGeometry(16, 48, 225, 25);
    // Names have no length limit of their own.
    nameEdit_->setMaxLength(std::numeric_limits<int>::max());
    // Return and Enter both confirm.
    connect(nameEdit_, &QLineEdit::returnPressed, this, &LeaderboardWindow::confirmName);

    //: Stores the typed name; the button is 41 pixels wide.
    confirmButton_ = new QPushButton(tr("确认"), this);
    confirmButton_->setObjectName(QStringLiteral("confirmButton"));
    confirmButton_->setGeometry(264, 48, 41, 25);
    // Return in the name box confirms once, through the box alone.
    confirmButton_->setAutoDefault(false);
    connect(confirmButton_, &QPushButton::clicked, this, &LeaderboardWindow::confirmName);
    setTabOrder(nameEdit_, confirmButton_);

    nameLabels_ = makeColumn(this, QStringLiteral("name"), 16, 81);
    scoreLabels_ = makeColumn(this, QStringLiteral("score"), 144, 89);
}

void LeaderboardWindow::open(qint32 score)
{
    score_ = score;
    showBoard();
    openOverOpener();
    if (!nameEdit_->isHidden())
        nameEdit_->setFocus();
}

void LeaderboardWindow::showBoard()
{
    // The controls start from their design state at every opening.
    promptLabel_->setText(promptCaption());
    nameEdit_->clear();
    nameEdit_->show();
    confirmButton_->show();

    bool newBoard = false;
    if (!leaderboard::readBoard(boardPath_, board_)) {
        // The window works from the default board either way; a file that
        // stands there unread is left alone. Whether a name can be stored
        // is found out when one is confirmed.
        board_ = leaderboard::defaultBoard();
        leaderboard::createDefaultBoard(boardPath_);
        place_ = 0;
        newBoard = true;
    } else {
        place_ = leaderboard::placeFor(board_, score_);
        if (!place_) {
            nameEdit_->hide();
            confirmButton_->hide();
            promptLabel_->setText(boardCaption());
            cue_ = content::sound(content::NoPlaceSound);
        } else {
            cue_ = content::sound(content::CheerSound);
        }
    }

    for (int place = 0; place < leaderboard::BoardPlaces; ++place) {
        nameLabels_[place]->setText(board_[place].name);
        scoreLabels_[place]->setText(QString::number(board_[place].score));
    }

    // A board that had to be created gets no cue: there is nothing to cheer
    // or regret yet, and an old cue from an earlier game would mislead.
    if (!newBoard && !cue_.isEmpty())
        player_.play(cue_);
}

void LeaderboardWindow::confirmName()
{
    if (nameEdit_->text().isEmpty())
        return;
    // The rows shown stay as read at the opening, even when other names
    // came in since. A name that could not be stored is not passed off as
    // stored: the window stays, the name still in its box, to try again.
    if (leaderboard::addEntry(boardPath_, board_, place_, nameEdit_->text(), score_) ==
        leaderboard::EntryOutcome::Failed) {
        promptLabel_->setText(saveFailedCaption());
        return;
    }
    close();
}

void LeaderboardWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        return;
    Dialog::keyPressEvent(event);
}
