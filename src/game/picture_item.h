// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFuture>
#include <QGraphicsObject>
#include <QImage>
#include <QPixmap>

class QThreadPool;

// A numbered picture on the board. Shown at the board's own size it is the
// picture's own pixels; larger or smaller, its vector drawing rendered for
// the device pixels it covers, again whenever that scale changes.
class PictureItem : public QGraphicsObject
{
    Q_OBJECT

public:
    // The drawings are made on drawings, whose owner waits for them.
    explicit PictureItem(QThreadPool &drawings, QGraphicsItem *parent = nullptr);
    // Drops the drawing if it has not begun.
    ~PictureItem() override;

    void setPicture(int number);
    int picture() const { return number_; }
    // Starts drawing the picture for the scale its view shows it at now, so
    // that the next paint finds it ready or nearly so; at the board's own
    // size, lets the last drawing go.
    void prepare();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

signals:
    // The picture, and with it maybe the item's size, changed.
    void pictureChanged();

private:
    // What a drawing shows: the picture, its place on the board, the device
    // pixels per board pixel.
    struct Drawing
    {
        int number = 0;
        QRect place;
        qreal scale = 0.0;
        bool operator==(const Drawing &) const = default;
    };
    void startDrawing(qreal scale);

    QThreadPool &drawings_;
    int number_ = 0;
    QPixmap pixmap_;
    Drawing drawing_;
    QFuture<QImage> pending_; // the drawing, while it is being made
    QImage drawn_;
};
