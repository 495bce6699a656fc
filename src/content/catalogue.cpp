// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>

namespace content {
namespace {

// Texts live in code: they are short, and they are plain ASCII.
const QHash<int, QString> &texts()
{
    static const QHash<int, QString> table = {
        {301, QStringLiteral("brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth")},
        {302, QStringLiteral("arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue")},
        {401, QStringLiteral("274,158,301,169")},
        {402, QStringLiteral("272,250,305,267")},
        {403, QStringLiteral("267,172,297,210")},
        {404, QStringLiteral("221,195,260,238")},
        {405, QStringLiteral("303,113,384,221")},
        {406, QStringLiteral("203,304,240,342")},
        {407, QStringLiteral("245,121,377,257")},
        {408, QStringLiteral("282,264,318,278")},
        {409, QStringLiteral("298,273,334,296")},
        {410, QStringLiteral("262,230,303,241")},
        {411, QStringLiteral("189,322,237,370")},
        {412, QStringLiteral("159,329,180,367")},
        {413, QStringLiteral("158,286,178,309")},
        {414, QStringLiteral("245,350,263,375")},
        {415, QStringLiteral("143,443,200,476")},
        {416, QStringLiteral("153,423,180,446")},
        {417, QStringLiteral("187,278,226,313")},
        {418, QStringLiteral("226,269,239,281")},
        {419, QStringLiteral("187,463,203,476")},
        {420, QStringLiteral("193,295,212,313")},
    };
    return table;
}

QString picturePath(int number, bool doubleSize)
{
    return QStringLiteral(":/pictures/%1%2.png")
        .arg(number, 3, 10, QLatin1Char('0'))
        .arg(doubleSize ? QStringLiteral("@2x") : QString());
}

} // namespace

QImage pictureImage(int number, qreal devicePixelRatio)
{
    const bool doubleSize = devicePixelRatio > 1.0;
    QImage image(picturePath(number, doubleSize));
    if (!image.isNull() && doubleSize)
        image.setDevicePixelRatio(2.0);
    return image;
}

QPixmap picture(int number)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image = pictureImage(number, ratio);
    if (image.isNull() && ratio > 1.0)
        image = pictureImage(number, 1.0);
    return QPixmap::fromImage(image);
}

QByteArray sound(int number)
{
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(number, 3, 10, QLatin1Char('0')));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString text(int number)
{
    return texts().value(number);
}

} // namespace content
