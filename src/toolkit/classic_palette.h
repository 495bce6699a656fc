// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace toolkit {

// The classic 16-colour palette (0 black, 1 navy, ... 12 red, ... 15 white).
QColor classicColour(int number);

} // namespace toolkit
