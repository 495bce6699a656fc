// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "twips.h"

#include <QWidget>

namespace toolkit {

QSize clientSizeForOuterTwips(int widthTwips, int heightTwips)
{
    return {twipsToPixels(widthTwips) - 2 * ClassicBorder,
            twipsToPixels(heightTwips) - ClassicBorder - ClassicCaption};
}

void moveOuterTwips(QWidget *window, int left, int top)
{
    // move() on a top-level window places its frame, not its client area.
    window->move(twipsToPixels(left), twipsToPixels(top));
}

void setOuterGeometryTwips(QWidget *window, int left, int top, int width, int height)
{
    moveOuterTwips(window, left, top);
    window->setFixedSize(clientSizeForOuterTwips(width, height));
}

} // namespace toolkit
