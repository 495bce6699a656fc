// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "leaderboard_window.h"

#include "catalogue.h"
#include "child_window.h"
#include "cue_player.h"
#include "fonts.h"
#include "label_array.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

const QString &promptCaption()
{
    static const QString caption = QStringLiteral("恭喜恭喜!您上榜了。您的大名:");
    return caption;
}

// Short enough for the prompt line's 217 pixels.
const QString &saveFailedCaption()
{
    static const QString caption = QStringLiteral("抱歉,您的大名没能保存。");
    return caption;
}

constexpr int RowTop = 80;
constexpr int RowStep = 24;

} // namespace

// A dialog, since Qt names the owner to an X11 window manager only for one.
LeaderboardWindow::LeaderboardWindow(QWidget *opener, const QString &sPath, CuePlayer &player)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , opener_(opener)
    , sPath_(sPath)
    , player_(player)
{
    setWindowTitle(QStringLiteral("排行榜"));
    setFixedSize(348, 371);
    setFont(toolkit::songFont(9, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Labt = new QLabel(this);
    Labt->setObjectName(QStringLiteral("Labt"));
    Labt->setGeometry(16, 24, 217, 25);
    Labt->setFont(toolkit::songFont(9, true));
    Labt->setAlignment(Qt::AlignCenter);
    Labt->setTextFormat(Qt::PlainText);
    QPalette red = Labt->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Labt->setPalette(red);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(16, 48, 225, 25);
    // Names have no length limit of their own.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Text1->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("确认"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(264, 48, 41, 25);
    connect(Command1, &QPushButton::clicked, this, &LeaderboardWindow::Command1_Click);
    setTabOrder(Text1, Command1);

    // Names come from a file anyone can edit: never let them be read as markup.
    auto *name0 = new QLabel(this);
    name0->setGeometry(16, 88, 81, 25);
    name0->setTextFormat(Qt::PlainText);
    name0->setAutoFillBackground(true);
    auto *score0 = new QLabel(this);
    score0->setGeometry(144, 88, 89, 25);
    score0->setTextFormat(Qt::PlainText);
    score0->setAutoFillBackground(true);
    Label1 = {name0};
    Label2 = {score0};
}

void LeaderboardWindow::open(qint32 score)
{
    score_ = score;
    Form_Load();
    show();
    activateWindow();
    if (!Text1->isHidden())
        Text1->setFocus();
}

void LeaderboardWindow::Form_Load()
{
    if (opener_)
        toolkit::disableOpener(opener_, this);
    boardPath = sPath_ + leaderboard::boardFileName(1);

    // The controls start from their design state at every opening.
    Labt->setText(promptCaption());
    Text1->clear();
    Text1->show();
    Command1->show();

    bool newBoard = false;
    if (!leaderboard::readBoard(boardPath, table_)) {
        // The window works from the default table either way; a file that
        // stands there unread is left alone. Whether a name can be stored
        // is found out when one is confirmed.
        leaderboard::createDefaultBoard(boardPath, table_);
        insertPos = 0;
        newBoard = true;
    } else {
        insertPos = leaderboard::findInsertPos(table_, score_);
        if (insertPos < 0) {
            Text1->hide();
            Command1->hide();
            Labt->setText(QStringLiteral("排行榜"));
            cueBytes = content::sound(content::NoPlaceSound);
        } else {
            cueBytes = content::sound(content::CheerSound);
        }
    }

    if (Label1.size() < leaderboard::BoardPlaces) {
        Label1 = toolkit::makeLabelArray(Label1.front(), leaderboard::BoardPlaces);
        Label2 = toolkit::makeLabelArray(Label2.front(), leaderboard::BoardPlaces);
    }
    for (int k = 0; k < leaderboard::BoardPlaces; ++k) {
        Label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        Label1[k]->setText(table_.boardNames[k]);
        Label1[k]->move(Label1[k]->x(), RowTop + RowStep * k);
        Label1[k]->show();
        Label2[k]->setObjectName(QStringLiteral("Label2_%1").arg(k));
        Label2[k]->setText(QString::number(table_.boardScores[k]));
        Label2[k]->move(Label2[k]->x(), RowTop + RowStep * k);
        Label2[k]->show();
    }

    // A board that had to be created gets no cue: there is nothing to cheer
    // or regret yet, and an old cue from an earlier game would mislead.
    if (!newBoard && !cueBytes.isEmpty())
        player_.play(cueBytes, false);
}

void LeaderboardWindow::Form_Unload()
{
    if (opener_)
        toolkit::releaseOpener(opener_, this);
}

void LeaderboardWindow::Text1_KeyPress(qint16 KeyAscii)
{
    if (KeyAscii == 13)
        Command1_Click();
}

void LeaderboardWindow::Command1_Click()
{
    if (Text1->text().isEmpty())
        return;
    // The rows shown stay as read at the opening, even when other names
    // came in since. A name that could not be stored is not passed off as
    // stored: the window stays, the name still in its box, to try again.
    if (leaderboard::addEntry(boardPath, table_, insertPos, Text1->text(), score_) ==
        leaderboard::EntryOutcome::Failed) {
        Labt->setText(saveFailedCaption());
        return;
    }
    close();
}

void LeaderboardWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool LeaderboardWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            Text1_KeyPress(13);
    }
    // The key goes on to the text box unchanged.
    return QWidget::eventFilter(watched, event);
}
