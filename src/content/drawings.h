// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QThreadPool;

namespace content {

// Vector drawing number (":/drawings/NNN.svg") rendered on white at size
// (device pixels), only the part in clip; opaque, so painting it is a plain
// copy. Safe on any thread; a large one is shared with the threads of helpers
// that are free.
QImage renderDrawing(int number, QSize size, QRect clip, QThreadPool *helpers = nullptr);

} // namespace content
