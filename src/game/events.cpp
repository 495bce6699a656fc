// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "events.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

// Runs then once, just after the first event on watched that counts (for
// the application, on any of its objects), and goes.
class AfterFirstEvent : public QObject
{
public:
    AfterFirstEvent(QObject *watched, bool (*counts)(QEvent::Type), std::function<void()> then)
        : QObject(watched)
        , counts_(counts)
        , then_(std::move(then))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (counts_(event->type())) {
            // After the event: it is handled first.
            QTimer::singleShot(0, parent(), std::exchange(then_, {}));
            parent()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    bool (*counts_)(QEvent::Type);
    std::function<void()> then_;
};

// Painted, not yet on the screen: that comes when the paint is done.
bool isPaint(QEvent::Type type)
{
    return type == QEvent::Paint;
}

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

void atFirstInput(std::function<void()> then)
{
    new AfterFirstEvent(QCoreApplication::instance(), isInput, std::move(then));
}

void afterFirstFrame(QWidget *widget, std::function<void()> then)
{
    new AfterFirstEvent(widget, isPaint, std::move(then));
}
