// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture_item.h"

#include "catalogue.h"
#include "scaled_rect.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

PictureItem::PictureItem(QThreadPool &drawings, QGraphicsItem *parent)
    : QGraphicsObject(parent)
    , drawings_(drawings)
{}

PictureItem::~PictureItem()
{
    pending_.cancel();
}

void PictureItem::setPicture(int number)
{
    const QPixmap pixmap = content::picture(number);
    // Start-up goes on without a picture that cannot be loaded.
    if (pixmap.isNull())
        return;
    prepareGeometryChange();
    number_ = number;
    pixmap_ = pixmap;
    prepare();
    update();
    emit pictureChanged();
}

QRectF PictureItem::boundingRect() const
{
    return {QPointF(0, 0), pixmap_.deviceIndependentSize()};
}

void PictureItem::prepare()
{
    const QGraphicsView *view = scene() ? scene()->views().value(0) : nullptr;
    const qreal factor = view ? view->transform().m11() : 1.0;
    if (factor != 1.0 && number_ != 0) {
        startDrawing(factor * view->devicePixelRatioF());
        return;
    }
    pending_.cancel();
    pending_ = {};
    drawing_ = {};
    drawn_ = {};
}

void PictureItem::startDrawing(qreal scale)
{
    const Drawing wanted{number_, QRect(scenePos().toPoint(), pixmap_.deviceIndependentSize().toSize()),
                         scale};
    if (wanted == drawing_)
        return;
    // A drawing for a size no longer shown is dropped before it begins.
    pending_.cancel();
    drawing_ = wanted;
    drawn_ = {};
    pending_ = QtConcurrent::run(
        &drawings_, [wanted] { return content::drawnPicture(wanted.number, wanted.place, wanted.scale); });
}

void PictureItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QTransform world = painter->worldTransform();
    if (pixmap_.isNull())
        return;
    if (world.m11() == 1.0) {
        painter->drawPixmap(QPointF(0, 0), pixmap_);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    startDrawing(world.m11() * ratio);
    if (pending_.isValid()) {
        drawn_ = pending_.result();
        pending_ = {};
    }
    if (drawn_.isNull()) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(boundingRect(), pixmap_, pixmap_.rect());
        return;
    }
    // The drawing is made for device pixels, one for one, counted from where
    // the board's corner falls.
    const QPoint corner = (world.map(mapFromScene(QPointF(0, 0))) * ratio).toPoint();
    painter->save();
    painter->setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter->drawImage(scaling::scaledRect(drawing_.place, drawing_.scale).topLeft() + corner, drawn_);
    painter->restore();
}
