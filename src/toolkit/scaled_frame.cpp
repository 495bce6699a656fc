// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaled_frame.h"

#include "picture_surface.h"
#include "window_manager.h"

#include <QEvent>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <algorithm>

namespace toolkit {
namespace {

// Kept apart from the window's state, which follows what a window manager
// reports, and without one reads normal again at once.
constexpr char FullScreen[] = "toolkitFullScreen";

QFont scaledFont(QFont font, qreal factor)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

// Remembers a child window's design while it is shown enlarged, and puts it
// back when the window is hidden, so that its next opening starts as designed.
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
    void enlarge()
    {
        const ScaledFrame *frame = opener_->findChild<ScaledFrame *>();
        const qreal factor = frame ? frame->factor() : 1.0;
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
        const QRect screen = opener_->screen()->availableGeometry();
        QRect place(QPoint(0, 0), child_->frameGeometry().size().expandedTo(child_->size()));
        place.moveCenter(frame->areaOnScreen().center());
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
        const WidgetDesign window = designs_.value(child_);
        child_->setFont(window.font);
        child_->setFixedSize(window.geometry.size());
        designs_.clear();
    }

    QWidget *child_;
    QWidget *opener_;
    QHash<QWidget *, WidgetDesign> designs_;
};

} // namespace

ScaledFrame::ScaledFrame(QWidget *parent, QSize designSize)
    : QWidget(parent)
    , designSize_(designSize)
{
    // Never the shared pool: Qt's own painting hands work to it and waits.
    drawings_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ScaledFrame::~ScaledFrame()
{
    // The children go first, dropping the drawings not begun; the pool then
    // waits for those under way.
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    drawings_.waitForDone();
}

void ScaledFrame::setArea(PictureSurface *area, const Enlarge &enlarge)
{
    area_ = area;
    enlarge_ = enlarge;
    layOut();
}

QRect ScaledFrame::areaOnScreen() const
{
    return area_ ? QRect(area_->mapToGlobal(QPoint(0, 0)), area_->size()) : QRect();
}

void ScaledFrame::resizeEvent(QResizeEvent *)
{
    layOut();
}

void ScaledFrame::layOut()
{
    if (!area_)
        return;
    const qreal factor =
        std::min(qreal(width()) / designSize_.width(), qreal(height()) / designSize_.height());
    const QList<QWidget *> children = area_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    if (factor_ == 1.0) {
        designs_.clear();
        for (QWidget *child : children)
            designs_.insert(child, {child->geometry(), child->font()});
    }
    const bool zoomed =
        factor > 1.0 || (factor > 0.0 && factor < 1.0 && window()->property(FullScreen).toBool());
    factor_ = zoomed ? factor : 1.0;

    QRect place(QPoint(0, 0),
                zoomed ? scaling::scaledRect(QRect(QPoint(0, 0), designSize_), factor_).size() : designSize_);
    place.moveCenter(rect().center());
    if (!zoomed)
        place.moveTopLeft(QPoint(0, 0));
    area_->setZoom(factor_, QRect(QPoint(0, 0), designSize_), enlarge_, &drawings_);
    area_->setGeometry(place);
    for (QWidget *child : children) {
        if (auto *surface = qobject_cast<PictureSurface *>(child)) {
            const QRect design = surface->designGeometry();
            surface->setZoom(factor_, design, enlarge_, &drawings_);
            surface->setGeometry(scaling::scaledRect(design, factor_));
        } else {
            const WidgetDesign &design = designs_[child];
            child->setGeometry(scaling::scaledRect(design.geometry, factor_));
            child->setFont(scaledFont(design.font, factor_));
        }
    }
}

void toggleFullScreen(QWidget *window)
{
    static constexpr char Normal[] = "toolkitNormalGeometry";
    static constexpr char Smallest[] = "toolkitNormalMinimum";
    static constexpr char Largest[] = "toolkitNormalMaximum";
    const bool full = !window->property(FullScreen).toBool();
    window->setProperty(FullScreen, full);
    if (!full) {
        window->showNormal();
        // The client area's own place: a window manager that has just taken
        // the frame away would misplace a move of the frame.
        window->setGeometry(window->property(Normal).toRect());
        window->setMinimumSize(window->property(Smallest).toSize());
        window->setMaximumSize(window->property(Largest).toSize());
        return;
    }
    window->setProperty(Normal, window->geometry());
    window->setProperty(Smallest, window->minimumSize());
    window->setProperty(Largest, window->maximumSize());
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->showFullScreen();
    // Only where nothing else takes it there: under a window manager, a
    // change of geometry ends its full screen, with its panels back on top.
    if (!windowManagerRuns())
        window->setGeometry(window->screen()->geometry());
}

void scaleWithOpener(QWidget *child, QWidget *opener)
{
    if (!child->findChild<QObject *>(QStringLiteral("toolkitChildScaler"), Qt::FindDirectChildrenOnly))
        new ChildScaler(child, opener);
}

} // namespace toolkit
