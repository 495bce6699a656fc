// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_window.h"

#include "scaled_frame.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace toolkit {
namespace {

constexpr char OpenerProperty[] = "toolkitOpener";

QWidget *openerOf(const QWidget *child)
{
    return qobject_cast<QWidget *>(child->property(OpenerProperty).value<QObject *>());
}

} // namespace

void disableOpener(QWidget *opener, QWidget *child)
{
    child->setProperty(OpenerProperty, QVariant::fromValue<QObject *>(opener));
    opener->setEnabled(false);
    scaleWithOpener(child, opener);
}

void releaseOpener(QWidget *opener, QWidget *child)
{
    // The closing window is still visible while it closes.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows) {
        if (window != child && window->isVisible() && openerOf(window) == opener)
            return;
    }
    opener->setEnabled(true);
}

} // namespace toolkit
