// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "cue_player.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
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
class Form1Peer : public ::testing::Test, public CuePlayer, public Hold, public RandomSource
{
protected:
    QByteArrayList record;
    std::function<void()> onHold = [] {}, onWait = [] {};
    int seeds = 0, next = 0;
    std::function<float()> fraction = [this] { return (next++ + 0.5f) / 10; };
    QTemporaryDir boardDir;
    Form1 form{*this, *this, *this};
    Form1State &s = form.s_;
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
        record << wav + (wait ? " wait" : ""), wait ? onWait() : void();
    }
    void hold(int ms) override { record << "hold " + QByteArray::number(ms), onHold(); }
    void seedFromClock() override { ++seeds, next = 0; }
    float nextFraction() override { return fraction(); }
    Form2 *form2() { return form.form2_.get(); }
    Form3 *form3() { return form.form3_.get(); }
    QWidget *widget(const char *name) { return form.findChild<QWidget *>(name); }
    QString label(const char *name) { return form.findChild<QLabel *>(name)->text(); }
    qint16 asked() const { return s.questionOrder.at(s.questionIndex); }
    QPoint origin() const { return {s.spotLeft[asked()], s.spotTop[asked()]}; }
    QRectF spot() const { return QRectF(origin(), QPoint(s.spotRight[asked()], s.spotBottom[asked()])); }
};
