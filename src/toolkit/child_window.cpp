// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_window.h"

#include "fonts.h"
#include "scaled_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace toolkit {
namespace {

constexpr char OpenerProperty[] = "toolkitOpener";

QWidget *openerOf(const QWidget *child)
{
    return qobject_cast<QWidget *>(child->property(OpenerProperty).value<QObject *>());
}

// QWidget lets only its subclasses let go of their native window.
struct NativeWindow : QWidget
{
    static void release(QWidget *widget) { (widget->*&NativeWindow::destroy)(true, true); }
};

// Owned as a transient window: WM_TRANSIENT_FOR on X11, the toplevel's parent
// on Wayland, both read when the window is mapped. A QWidget parent would own
// it too, but would disable it with its disabled opener.
void ownBy(QWidget *child, QWidget *owner)
{
    if (child->isVisible())
        return;
    // A native window made afresh has no position but the one the child is
    // given now: one it was moved to before (over a full-screen game) is left
    // behind, and the window system places it.
    if (child->windowHandle())
        NativeWindow::release(child);
    child->setAttribute(Qt::WA_Moved, false);
    child->winId();
    owner->winId();
    child->windowHandle()->setTransientParent(owner->windowHandle());
}

// Where the window system keeps an owned window above its owner (every X11
// window manager tried), nothing is needed. sway raises a clicked owner over
// the windows it owns and lets no program raise a window, but it puts a window
// that is mapped afresh on top with the focus: the open child is mapped again
// each time its disabled opener comes to the front, once the click is handled.
void keepAboveOpener()
{
    static bool watching = false;
    if (watching || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    watching = true;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow *focus) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            const QWidget *opener = openerOf(window);
            if (!focus || !window->isVisible() || !opener || opener->isEnabled() ||
                opener->window()->windowHandle() != focus)
                continue;
            QMetaObject::invokeMethod(
                window,
                [child = QPointer<QWidget>(window)] {
                    if (!child || !child->isVisible())
                        return;
                    child->hide();
                    child->show();
                },
                Qt::QueuedConnection);
        }
    });
}

} // namespace

void disableOpener(QWidget *opener, QWidget *child, Scaling scaling)
{
    child->setProperty(OpenerProperty, QVariant::fromValue<QObject *>(opener));
    opener->setEnabled(false);
    ownBy(child, opener->window());
    if (scaling == Scaling::WithOpener)
        scaleWithOpener(child, opener);
    keepAboveOpener();
}

void releaseOpener(QWidget *opener, QWidget *child)
{
    // The closing window is still visible while it closes.
    const QWidgetList children = openChildren(opener);
    for (const QWidget *open : children) {
        if (open != child)
            return;
    }
    opener->setEnabled(true);
}

QWidgetList openChildren(const QWidget *opener)
{
    QWidgetList children;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && openerOf(window) == opener)
            children.append(window);
    }
    return children;
}

// A dialog, since Qt names the owner to an X11 window manager only for one.
ChildWindow::ChildWindow(QWidget *opener, const QString &title, QSize size, Scaling scaling)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , opener_(opener)
    , scaling_(scaling)
{
    setWindowTitle(title);
    setFixedSize(size);
    setFont(songFont(9, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void ChildWindow::holdOpener()
{
    if (opener_)
        disableOpener(opener_, this, scaling_);
}

void ChildWindow::showActive()
{
    show();
    activateWindow();
}

void ChildWindow::closeEvent(QCloseEvent *event)
{
    if (opener_)
        releaseOpener(opener_, this);
    event->accept();
}

void ChildWindow::keyPressEvent(QKeyEvent *event)
{
    // Through close(), so that the opener comes back as from the close box.
    if (closesOnEscape_ && event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace toolkit
