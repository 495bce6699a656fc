// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

class QWidget;

// Window positions and sizes are laid out in twips, at 15 twips a pixel.
namespace toolkit {

constexpr int TwipsPerPixel = 15;

// Rounded to the nearest pixel.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}
constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// The classic frame a twips layout was designed around: 4-pixel borders and
// a 20-pixel caption strip. Window managers differ; sizing the client area by the
// classic frame keeps every window's content whole on all of them.
constexpr int ClassicBorder = 4;   // left, right and bottom
constexpr int ClassicCaption = 20; // caption strip with its top border

// Client size that goes with an outer size in twips.
QSize clientSizeForOuterTwips(int widthTwips, int heightTwips);

// Places a top-level window's outer edge at left, top and sizes it from
// width, height (all in twips), with the client area as the classic frame
// leaves it. Fixed-size windows stay fixed.
void setOuterGeometryTwips(QWidget *window, int left, int top, int width, int height);

// Moves a top-level window's outer edge to left, top in twips.
void moveOuterTwips(QWidget *window, int left, int top);

} // namespace toolkit
