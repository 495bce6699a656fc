// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "events.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

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

} // namespace

void afterFirstFrame(QWidget *widget, std::function<void()> then)
{
    new FirstFrame(widget, std::move(then));
}
