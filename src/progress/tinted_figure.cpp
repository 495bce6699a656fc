// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tinted_figure.h"

#include "catalogue.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace progress {

QColor knowledgeColour(Knowledge knowledge)
{
    switch (knowledge) {
    case Knowledge::Good:
        return QColor(0x1f, 0xb0, 0x3a);
    case Knowledge::Fair:
        return QColor(0xf5, 0xa0, 0x10);
    case Knowledge::Weak:
        return QColor(0xe0, 0x10, 0x10);
    case Knowledge::NeverAsked:
        break;
    }
    return QColor(0x90, 0x90, 0x90);
}

QColor knowledgeTextColour(Knowledge knowledge)
{
    return knowledgeColour(knowledge).darker(130);
}

QString knowledgeMeaning(Knowledge knowledge)
{
    // The parents' window's own texts, where translators first met them.
    switch (knowledge) {
    case Knowledge::Good:
        //: Legend, green: right at the first click more than 80 % of the time.
        return QCoreApplication::translate("ProgressWindow", "掌握得好：一次答对超过八成");
    case Knowledge::Fair:
        //: Legend, amber: right at the first click 50 % to 80 % of the time.
        return QCoreApplication::translate("ProgressWindow", "还要巩固：一次答对五到八成");
    case Knowledge::Weak:
        //: Legend, red: right at the first click less than 50 % of the time.
        return QCoreApplication::translate("ProgressWindow", "需要多练：一次答对不到五成");
    case Knowledge::NeverAsked:
        break;
    }
    //: Legend, grey: the word was never asked.
    return QCoreApplication::translate("ProgressWindow", "还没问过");
}

QImage tintedFigure(int figureNo, const Record &record, int ratio)
{
    QImage figure = content::pictureImage(content::figurePicture(figureNo), ratio)
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QSvgRenderer drawing(QStringLiteral(":/drawings/%1.svg").arg(content::figurePicture(figureNo)));
    if (figure.isNull() || !drawing.isValid())
        return figure;
    const QRectF view = drawing.viewBoxF();
    const QTransform toImage =
        QTransform::fromTranslate(-view.left(), -view.top()) *
        QTransform::fromScale(figure.width() / view.width(), figure.height() / view.height());
    struct Shape
    {
        QString id;
        QRectF bounds; // image pixels
        QColor colour;
    };
    QList<Shape> shapes;
    for (const WordCount &entry : record) {
        const QString id = QStringLiteral("part-") + entry.word;
        if (entry.figureNo != figureNo || !drawing.elementExists(id))
            continue;
        const QRectF bounds = drawing.transformForElement(id).mapRect(drawing.boundsOnElement(id));
        shapes.append({id, toImage.mapRect(bounds), knowledgeColour(knowledge(entry.asked, entry.right))});
    }
    // A word's shape may lie inside another's (the eye inside the head): the
    // big ones first, so that each small one shows its own colour.
    std::sort(shapes.begin(), shapes.end(), [](const Shape &a, const Shape &b) {
        return a.bounds.width() * a.bounds.height() > b.bounds.width() * b.bounds.height();
    });
    QImage tint(figure.size(), QImage::Format_ARGB32_Premultiplied);
    tint.fill(Qt::transparent);
    QPainter tintPainter(&tint);
    for (const Shape &shape : shapes) {
        const QRect area = shape.bounds.toAlignedRect() & tint.rect();
        if (area.isEmpty())
            continue;
        QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter maskPainter(&mask);
        maskPainter.setRenderHint(QPainter::Antialiasing);
        maskPainter.translate(-area.topLeft());
        drawing.render(&maskPainter, shape.id, shape.bounds);
        maskPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        maskPainter.fillRect(QRect(area.topLeft(), area.size()), shape.colour);
        maskPainter.end();
        tintPainter.drawImage(area.topLeft(), mask);
    }
    tintPainter.end();
    // Drawn over the figure pixel for pixel, also at twice the size.
    tint.setDevicePixelRatio(figure.devicePixelRatio());
    QPainter figurePainter(&figure);
    figurePainter.setOpacity(0.6);
    figurePainter.drawImage(0, 0, tint);
    return figure;
}

} // namespace progress
