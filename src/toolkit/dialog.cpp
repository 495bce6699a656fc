// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialog.h"

#include "fonts.h"
#include "scaled_rect.h"

#include <QApplication>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace toolkit {
namespace {

// Where the window system keeps a dialog above the window it is modal to
// (every X11 window manager tried), nothing is needed. sway raises a clicked
// window over its dialogs and lets no program raise a window, but it puts a
// window that is mapped afresh on top with the focus: an open dialog is
// mapped again each time its opener comes to the front, once the click is
// handled.
void keepAboveOpener()
{
    static bool watching = false;
    if (watching || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    watching = true;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow *focus) {
        if (!focus)
            return;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            auto *dialog = qobject_cast<Dialog *>(window);
            if (!dialog || !dialog->isVisible() || dialog->parentWidget()->windowHandle() != focus)
                continue;
            QMetaObject::invokeMethod(
                dialog,
                [dialog = QPointer<Dialog>(dialog)] {
                    if (!dialog || !dialog->isVisible())
                        return;
                    // Hidden, a dialog is no longer modal: opened again, it
                    // is, but it also selects the whole text in its focused
                    // box, which the next key would replace.
                    auto *edit = qobject_cast<QLineEdit *>(dialog->focusWidget());
                    const int cursor = edit ? edit->cursorPosition() : 0;
                    dialog->hide();
                    dialog->QDialog::open();
                    if (edit)
                        edit->setCursorPosition(cursor);
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

// Lays out a dialog opened over a board shown larger or smaller than its
// own size (the view of the opener's game) at the board's factor, centred
// over it and whole on the screen, and back as designed once hidden, so that
// its next opening starts as designed.
class DialogScaler : public QObject
{
public:
    explicit DialogScaler(QWidget *child)
        : QObject(child)
        , child_(child)
    {
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
        const QGraphicsView *board = child_->parentWidget()->findChild<QGraphicsView *>();
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
        const QRect screen = child_->parentWidget()->screen()->availableGeometry();
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
        // Placed afresh at the next opening, not where the enlarged one stood.
        child_->setAttribute(Qt::WA_Moved, false);
        designs_.clear();
    }

    QWidget *child_;
    QHash<QWidget *, Design> designs_;
};

} // namespace

Dialog::Dialog(QWidget *opener, const QString &title, QSize size, Scaling scaling)
    : QDialog(opener ? opener->window() : nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(title);
    setFixedSize(size);
    setFont(songFont(9, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    if (opener && scaling == Scaling::WithOpener)
        new DialogScaler(this);
}

void Dialog::openOverOpener()
{
    keepAboveOpener();
    QDialog::open();
    activateWindow();
}

QList<QDialog *> openDialogs(const QWidget *window)
{
    QList<QDialog *> open = window->findChildren<QDialog *>(Qt::FindDirectChildrenOnly);
    open.removeIf([](const QDialog *dialog) { return !dialog->isVisible(); });
    return open;
}

} // namespace toolkit
