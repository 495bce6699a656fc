// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// The windows were first laid out by their outer edges (their frames'), in
// fifteenths of a pixel, around a classic frame. Here, and only here, those
// become pixels.
namespace toolkit {

constexpr int ClassicBorder = 4;   // left, right and bottom
constexpr int ClassicCaption = 20; // the caption strip with its top border

// Rounded to the nearest pixel.
constexpr int outerEdgeInPixels(int fifteenths)
{
    return fifteenths >= 0 ? (fifteenths + 7) / 15 : -((-fifteenths + 7) / 15);
}

constexpr QRect outerEdgesInPixels(int left, int top, int width, int height)
{
    return {outerEdgeInPixels(left), outerEdgeInPixels(top), outerEdgeInPixels(width),
            outerEdgeInPixels(height)};
}

// The client area that the classic frame leaves inside outer edges of size
// outer. Window managers' frames differ; sizing the client area by the
// classic one keeps every window's content whole under all of them.
constexpr QSize clientSizeWithin(QSize outer)
{
    return {outer.width() - 2 * ClassicBorder, outer.height() - ClassicBorder - ClassicCaption};
}

} // namespace toolkit
