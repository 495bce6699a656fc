// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

class QLabel;

namespace toolkit {

// Makes count - 1 copies of member 0 (same parent, geometry, font, colours
// and alignment) and returns the whole array, member 0 first.
QList<QLabel *> makeLabelArray(QLabel *member0, int count);

} // namespace toolkit
