// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

#include <cmath>

namespace scaling {

// The device pixels that the area pixels of rect cover at factor: each edge
// is rounded, so that neighbouring rectangles join without gaps or overlaps.
inline QRect scaledRect(QRect rect, qreal factor)
{
    return QRect(QPoint(qRound(rect.left() * factor), qRound(rect.top() * factor)),
                 QPoint(qRound((rect.right() + 1) * factor) - 1, qRound((rect.bottom() + 1) * factor) - 1));
}

// The area pixel that device pixel point shows at factor: the one whose
// scaledRect covers it.
inline QPoint areaPixel(QPoint point, qreal factor)
{
    // scaledRect gives pixel n the device pixels d with n * factor < d + 0.5
    // <= (n + 1) * factor, its edges rounded half up.
    const auto along = [factor](int device) { return int(std::ceil((device + 0.5) / factor)) - 1; };
    return {along(point.x()), along(point.y())};
}

} // namespace scaling
