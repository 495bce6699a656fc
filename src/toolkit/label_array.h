// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

class QLabel;

namespace toolkit {

// Makes count - 1 copies of the first label (same parent, geometry, font,
// colours and alignment) and returns them all, the first label first.
QList<QLabel *> makeLabelArray(QLabel *first, int count);

} // namespace toolkit
