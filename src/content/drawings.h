// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace content {

// Vector drawing number (":/drawings/NNN.svg") rendered on white at size
// (device pixels), only the part in clip; opaque, so painting it is a plain
// copy. Safe on any thread. A null image when the drawing is missing.
QImage renderDrawing(int number, QSize size, QRect clip);

} // namespace content
