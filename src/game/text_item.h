// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsObject>

// A line of text in a box of the board, drawn as a label draws it: from the
// box's top-left corner, in its font and colour, cut at the box's edges.
class TextItem : public QGraphicsObject
{
    Q_OBJECT

public:
    TextItem(QSize box, const QFont &font, const QColor &colour);

    void setText(const QString &text);
    QString text() const { return text_; }

    QRectF boundingRect() const override { return {QPointF(0, 0), box_}; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QSizeF box_;
    QFont font_;
    QColor colour_;
    QString text_;
};
