// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

// The game's numbered content: pictures, WAV images and texts, built into
// the executable. Every number the game uses comes from the functions below,
// so no caller repeats the numbering arithmetic.
namespace content {

// Pictures by number. The pixmap is sharp on high-DPI screens: where the
// application's device pixel ratio is above 1 the double-size rendering is
// served with a ratio of 2, so its logical size is still the table's size.
QPixmap picture(int number);
// The picture at a given device pixel ratio (1 or 2); a null image if absent.
QImage pictureImage(int number, qreal devicePixelRatio = 1.0);

// Picture number drawn from its vector drawing for a board shown at factor:
// placed at place (board pixels, the picture's own size), it covers the
// device pixels scaling::scaledRect(place, factor). A word picture is its
// figure's drawing there with the word's mark over it, so that it lines up
// with the figure drawn at the same factor. Safe on any thread; a null image
// for a picture without a drawing.
QImage drawnPicture(int number, QRect place, qreal factor);

// The complete WAV file image; the caller owns the copy.
QByteArray sound(int number);

// Texts (the word lists); an empty string if absent.
QString text(int number);

// Where the word's part lies on its figure: the rectangle's edges, left()
// to right() and top() to bottom(), in figure pixels; only its inside
// counts as the part. A null rectangle for a word that has none.
QRect hotSpot(int figureNo, int wordIndex);

// Numbering rules. figureNo is 1 or 2, level 1 or 2, wordIndex 0..9.
constexpr int figurePicture(int figureNo)
{
    return 100 * figureNo;
}
constexpr int wordListText(int figureNo)
{
    return 300 + figureNo;
}
constexpr int wordPicture(int figureNo, int wordIndex)
{
    return 100 * figureNo + wordIndex + 1;
}
constexpr int wordSound(int figureNo, int wordIndex)
{
    return wordPicture(figureNo, wordIndex);
}
constexpr int idleMascot(int level, int figureNo)
{
    return 508 + 2 * level + figureNo;
}
constexpr int speakingMascot(int level, int figureNo)
{
    return 518 + 2 * level + figureNo;
}

constexpr int LifeIcon = 501;
constexpr int StartButton = 502;
constexpr int HelpButton = 503;

constexpr int MissSound = 121;
constexpr int HitSound = 122;
constexpr int CheerSound = 123;
constexpr int NoPlaceSound = 124;

} // namespace content
