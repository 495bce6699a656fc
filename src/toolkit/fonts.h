// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace toolkit {

// A Song-style font: serif Latin letters for the English words and digits,
// a Song/Ming CJK face for Chinese text.
QFont songFont(qreal pointSize, bool bold);

} // namespace toolkit
