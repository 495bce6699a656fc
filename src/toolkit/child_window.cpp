// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_window.h"

#include "fonts.h"
#include "scaled_rect.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>

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

QFont scaledFont(QFont font, qreal factor)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

// Lays out a child window opened over a board shown larger or smaller than
// its own size (the view of the opener's game) at the board's factor,
// centred over it and whole on the screen, and back as designed once hidden,
// so that its next opening starts as designed.
class ChildScaler : public QObject
{
public:
    ChildScaler(QWidget *child, QWidget *opener)
        : QObject(child)
        , child_(child)
        , opener_(opener)
    {
        setObjectName(QStringLiteral("toolkitChildScaler"));
        child->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            enlarge();
        else if (event->type() == QEvent::Hide)
            restore();
        return false;
    }

private:
    struct Design
    {
        QRect geometry;
        QFont font;
    };

    void enlarge()
    {
        const QGraphicsView *board = opener_->findChild<QGraphicsView *>();
        const qreal factor = board ? board->transform().m11() : 1.0;
        if (factor == 1.0 || !designs_.isEmpty())
            return;
        designs_.insert(child_, {child_->geometry(), child_->font()});
        const QList<QWidget *> widgets = child_->findChildren<QWidget *>();
        for (QWidget *widget : widgets)
            designs_.insert(widget, {widget->geometry(), widget->font()});
        for (QWidget *widget : widgets) {
            widget->setGeometry(scaling::scaledRect(designs_[widget].geometry, factor));
            if (widget->testAttribute(Qt::WA_SetFont))
                widget->setFont(scaledFont(designs_[widget].font, factor));
        }
        child_->setFont(scaledFont(child_->font(), factor));
        child_->setFixedSize(child_->size() * factor);

        // Over the middle of the game, whole on the screen; a window manager
        // keeps it above the full-screen window that owns it.
        const QWidget *shown = board->viewport();
        const QRect screen = opener_->screen()->availableGeometry();
        QRect place(QPoint(0, 0), child_->frameGeometry().size().expandedTo(child_->size()));
        place.moveCenter(QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size()).center());
        place.moveTopLeft(QPoint(
            std::clamp(place.left(), screen.left(), std::max(screen.left(), screen.right() - place.width())),
            std::clamp(place.top(), screen.top(), std::max(screen.top(), screen.bottom() - place.height()))));
        child_->move(place.topLeft());
    }

    void restore()
    {
        if (designs_.isEmpty())
            return;
        const QList<QWidget *> widgets = child_->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            const auto design = designs_.constFind(widget);
            if (design == designs_.cend())
                continue; // made while enlarged: it is made again at the next opening
            widget->setGeometry(design->geometry);
            if (widget->testAttribute(Qt::WA_SetFont))
                widget->setFont(design->font);
        }
        const Design window = designs_.value(child_);
        child_->setFont(window.font);
        child_->setFixedSize(window.geometry.size());
        designs_.clear();
    }

    QWidget *child_;
    QWidget *opener_;
    QHash<QWidget *, Design> designs_;
};

} // namespace

void disableOpener(QWidget *opener, QWidget *child, Scaling scaling)
{
    child->setProperty(OpenerProperty, QVariant::fromValue<QObject *>(opener));
    opener->setEnabled(false);
    ownBy(child, opener->window());
    if (scaling == Scaling::WithOpener &&
        !child->findChild<QObject *>(QStringLiteral("toolkitChildScaler"), Qt::FindDirectChildrenOnly))
        new ChildScaler(child, opener);
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
