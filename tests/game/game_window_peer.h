// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "cue_player.h"
#include "game_window.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "seams.h"

#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The main window with its seams: sounds and holds recorded in order (a sound played to wait for marked
// so), and fractions that keep the catalogue order unless a test draws its own. It reaches the window's
// private parts, as the game's own procedures do.
class GameWindowPeer : public ::testing::Test, public CuePlayer, public Hold, public RandomSource
{
protected:
    QByteArrayList record;
    std::function<void()> onHold = [] {};
    std::function<void(bool)> onPlay = [](bool) {};
    int seeds = 0, next = 0;
    std::function<float()> fraction = [this] { return (next++ + 0.5f) / 10; };
    QTemporaryDir boardDir;
    GameWindow form{*this, *this, *this};
    GameState &s = form.s_;
    QWidget *surface = widget("surface"), *mascot = widget("Picboy");
    QTimer *timer1 = form.Timer1, *timer2 = form.Timer2, *timerBoy = form.TimerBoy;
    QList<int> intervals; // of the precise timers, before the tests take them over

    void SetUp() override
    {
        s.sPath = boardDir.path() + '/';
        // Ticks come only from the tests; a real one would change the score.
        for (QTimer *timer : {timer1, timer2, timerBoy})
            intervals << timer->interval() * (timer->timerType() == Qt::PreciseTimer),
                timer->setInterval(1 << 30);
        form.show();
    }
    void play(const QByteArray &wav, bool wait) override
    {
        record << wav + (wait ? " wait" : ""), onPlay(wait);
    }
    void hold(int ms) override { record << "hold " + QByteArray::number(ms), onHold(); }
    void seedFromClock() override { ++seeds, next = 0; }
    float nextFraction() override { return fraction(); }
    LeaderboardWindow *form2() { return form.leaderboardWindow_.get(); }
    HelpWindow *form3() { return form.helpWindow_.get(); }
    QWidget *widget(const char *name) { return form.findChild<QWidget *>(name); }
    QString label(const char *name) { return form.findChild<QLabel *>(name)->text(); }
    qint16 asked() const { return s.questionOrder.at(s.questionIndex); }
    QPoint origin() const { return s.spots[asked()].topLeft(); }
    QRectF spot() const { return QRectF(origin(), QPointF(s.spots[asked()].bottomRight())); }
    QByteArray cue(int sound, bool wait = false) { return content::sound(sound) + (wait ? " wait" : ""); }
    QByteArray last(int back = 0) const { return record.value(record.size() - 1 - back); }
    void click(QPointF at) { form.Form_MouseDown(Qt::LeftButton, {}, float(at.x()), float(at.y())); }
    void answer() { click(spot().center()); }
    // Answers up to a question, then lets the pause tick.
    void play(int questionIndex, int pauseTicks = 0)
    {
        while (s.gameRunning && s.questionIndex < questionIndex)
            answer();
        while (pauseTicks--)
            form.Timer2_Timer();
    }
    QImage grab(QWidget *widget, QRect area = QRect(0, 0, -1, -1))
    {
        return widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage image(int picture) { return content::pictureImage(picture).convertToFormat(QImage::Format_RGB32); }
    // The picture's pixels at its own size, where the widget shows it at `at`.
    bool shows(QWidget *widget, int picture, QPoint at = {})
    {
        return !image(picture).isNull() && grab(widget, QRect(at, image(picture).size())) == image(picture);
    }
    bool hint() { return shows(surface, content::wordPicture(s.figureNo, asked()), origin()); }
    // The figure shows its picture everywhere but under the asked word's picture.
    bool cleanBesideHint()
    {
        QImage want = image(100 * s.figureNo), got = grab(surface, want.rect());
        for (QImage *one : {&want, &got})
            QPainter(one).fillRect(QRect(origin(), image(content::wordPicture(s.figureNo, asked())).size()),
                                   Qt::black);
        return !want.isNull() && got == want;
    }
    // Whether the time bar is that colour on all the rows given.
    bool bar(QColor colour, std::initializer_list<int> rows)
    {
        const QImage image = grab(widget("PicLong"));
        return std::all_of(rows.begin(), rows.end(), [&](int y) { return image.pixelColor(4, y) == colour; });
    }
};
