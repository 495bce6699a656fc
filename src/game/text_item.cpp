// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_item.h"

#include <QPainter>

TextItem::TextItem(QSize box, const QFont &font, const QColor &colour)
    : box_(box)
    , font_(font)
    , colour_(colour)
{}

void TextItem::setText(const QString &text)
{
    text_ = text;
    update();
}

void TextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(font_);
    painter->setPen(colour_);
    painter->drawText(boundingRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextForceLeftToRight, text_);
}
