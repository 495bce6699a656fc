// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "dialog.h"
#include "game_session.h"
#include "game_window.h"
#include "recording_player.h"
#include "seams.h"

#include <QGraphicsObject>
#include <QGraphicsView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The game's seams; the fractions are a test's to draw.
struct RecordingSeams : RecordingPlayer, RandomSource
{
    int seeds = 0;
    std::function<float()> fraction = [] { return 0.99f; }; // the catalogue's order backwards

    void seedFromClock() override { ++seeds; }
    float nextFraction() override { return fraction(); }
    QByteArray cue(int sound) { return content::sound(sound); }
};

// Ends the holds in progress, as their timer would.
inline void endHolds(GameSession &session)
{
    while (session.hold() != GameSession::Hold::None)
        session.holdEnded();
}

// The main window on recording seams, with a board of its own; ticks come
// only from the tests.
class GameWindowTest : public testing::Test, protected RecordingSeams
{
protected:
    QTemporaryDir boardDir;
    GameWindow window{*this, *this, boardDir.path() + '/'};
    GameSession &session = *window.findChild<GameSession *>();
    // What shows the board, at its own size in the window.
    QWidget *board = window.findChild<QGraphicsView *>()->viewport();

    void SetUp() override
    {
        for (QTimer *timer : session.findChildren<QTimer *>())
            timer->setInterval(1 << 30);
        window.show();
    }
    QWidget *widget(const char *name) { return window.findChild<QWidget *>(name); }
    template <typename Item = QGraphicsObject> Item *item(const char *name)
    {
        for (QGraphicsItem *item : window.findChild<QGraphicsView *>()->scene()->items())
            if (item->toGraphicsObject() && item->toGraphicsObject()->objectName() == QLatin1String(name))
                return qobject_cast<Item *>(item->toGraphicsObject());
        return nullptr;
    }
    QTimer *timer(const char *name) { return session.findChild<QTimer *>(name); }
    template <typename Child> Child *openChild()
    {
        for (QDialog *child : toolkit::openDialogs(&window))
            if (auto *wanted = qobject_cast<Child *>(child))
                return wanted;
        return nullptr;
    }
    // Through the window system, as a real click comes: to the control under
    // the pointer, and not at all while a dialog blocks its window.
    void click(QWidget *target, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(target->window()->windowHandle(), button, {}, target->mapTo(target->window(), at));
    }
    void answer(Qt::MouseButton with = Qt::LeftButton)
    {
        click(board, session.askedSpot().center(), with);
        endHolds(session);
    }
};
