// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classic_palette.h"

#include <array>

namespace toolkit {

QColor classicColour(int number)
{
    static constexpr std::array<QRgb, 16> colours = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xc0c0c0,
        0x808080, 0x0000ff, 0x00ff00, 0x00ffff, 0xff0000, 0xff00ff, 0xffff00, 0xffffff,
    };
    return QColor::fromRgb(colours[size_t(number) & 15]);
}

} // namespace toolkit
