// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_view.h"

#include "full_screen.h"
#include "picture_item.h"
#include "scaled_rect.h"

#include <QMouseEvent>
#include <QThread>

#include <algorithm>

BoardFit fitBoard(QSize board, QSize view, bool fullScreen)
{
    const qreal factor = std::min(qreal(view.width()) / board.width(), qreal(view.height()) / board.height());
    if (!(factor > 1.0 || (factor > 0.0 && factor < 1.0 && fullScreen)))
        return {1.0, QRect(QPoint(0, 0), board)};
    QRect place = scaling::scaledRect(QRect(QPoint(0, 0), board), factor);
    place.moveCenter(QRect(QPoint(0, 0), view).center());
    return {factor, place};
}

BoardView::BoardView(QSize board, QWidget *parent)
    : QGraphicsView(new QGraphicsScene(QRectF(QPointF(0, 0), board)), parent)
    , board_(board)
    , fit_{1.0, QRect(QPoint(0, 0), board)}
{
    scene()->setParent(this);
    // A dozen items that come and go: a search index would cost more than it saves.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scene's corner is the viewport's, on a whole pixel (see fit()).
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setInteractive(false);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(false);
    // Never the shared pool: Qt's own painting hands work to it and waits.
    drawings_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

BoardView::~BoardView()
{
    // The controls and items go first, dropping the drawings not begun; the
    // pool then waits for those under way.
    qDeleteAll(viewport()->findChildren<Control *>(Qt::FindDirectChildrenOnly));
    delete scene();
    drawings_.waitForDone();
}

PictureItem *BoardView::addPicture(const char *name, QPoint at, QGraphicsItem *parent)
{
    auto *item = new PictureItem(drawings_, parent);
    item->setObjectName(QLatin1String(name));
    item->setPos(at);
    if (!parent)
        scene()->addItem(item);
    return item;
}

BoardView::Control *BoardView::addControl(QGraphicsObject *item, const char *name)
{
    auto *control = new Control(item, this);
    control->setObjectName(QLatin1String(name));
    return control;
}

BoardView::Control *BoardView::addLabel(QGraphicsObject *item, const char *name)
{
    Control *label = addControl(item, name);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void BoardView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fit();
}

// Not fitInView(): it leaves a margin of two pixels, so that the window's own
// size would not show the board one pixel for one, and centring by the view
// puts the board's corner on a fraction of a pixel. The viewport is made the
// board's place instead, its margins the view's.
void BoardView::fit()
{
    fit_ = fitBoard(board_, size(), toolkit::fullScreenAsked(window()));
    const QRect &place = fit_.place;
    setViewportMargins(place.left(), place.top(), std::max(0, width() - 1 - place.right()),
                       std::max(0, height() - 1 - place.bottom()));
    setTransform(QTransform::fromScale(fit_.factor, fit_.factor));
    const QList<QGraphicsItem *> items = scene()->items();
    for (QGraphicsItem *item : items) {
        if (auto *picture = qobject_cast<PictureItem *>(item->toGraphicsObject()))
            picture->prepare();
    }
    const QList<Control *> controls = viewport()->findChildren<Control *>(Qt::FindDirectChildrenOnly);
    for (Control *control : controls)
        control->follow();
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // Judged in the board's own whole pixels, as in a window: the one the
    // pressed device pixel shows.
    const QPoint pixel = scaling::areaPixel(event->position().toPoint(), fit_.factor);
    const QGraphicsItem *top = scene()->itemAt(QPointF(pixel) + QPointF(0.5, 0.5), QTransform());
    if (top && top->acceptedMouseButtons() != Qt::NoButton)
        return;
    emit pressed(float(pixel.x()), float(pixel.y()));
}

void BoardView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is not a new press: a child who
    // double-clicks the right part answers once, not once and then again
    // against the next word.
    event->accept();
}

void BoardView::wheelEvent(QWheelEvent *event)
{
    // The board never scrolls, even in a window smaller than it.
    event->ignore();
}

BoardView::Control::Control(QGraphicsObject *item, BoardView *view)
    : QWidget(view->viewport())
    , item_(item)
    , view_(view)
{
    connect(item, &QGraphicsObject::visibleChanged, this, &Control::follow);
    if (auto *picture = qobject_cast<PictureItem *>(item))
        connect(picture, &PictureItem::pictureChanged, this, &Control::follow);
    follow();
}

void BoardView::Control::follow()
{
    setGeometry(scaling::scaledRect(item_->sceneBoundingRect().toRect(), view_->transform().m11()));
    setVisible(item_->isVisible());
}

void BoardView::Control::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so that a press on a control never reaches the board.
    pressed_ = true;
    event->accept();
}

void BoardView::Control::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}
