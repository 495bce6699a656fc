// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "events.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

class FirstFrame : public QObject
{
public:
    FirstFrame(QWidget *widget, std::function<void()> then)
        : QObject(widget)
        , then_(std::move(then))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // Painted, not yet on the screen: that comes when the paint is done.
            QTimer::singleShot(0, watched, then_);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

class FirstInput : public QObject
{
public:
    explicit FirstInput(std::function<void()> then)
        : QObject(QCoreApplication::instance())
        , then_(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
        case QEvent::Wheel:
            if (then_) {
                // After the event: it is answered first.
                QTimer::singleShot(0, QCoreApplication::instance(), std::exchange(then_, {}));
                deleteLater();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

void atFirstInput(std::function<void()> then)
{
    new FirstInput(std::move(then));
}

void afterFirstFrame(QWidget *widget, std::function<void()> then)
{
    new FirstFrame(widget, std::move(then));
}
