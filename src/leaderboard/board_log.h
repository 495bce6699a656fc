// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// tovasel.board: a name or a board that could not be stored or read is a
// warning, shown by default; the rest is debug, shown when asked for.
Q_DECLARE_LOGGING_CATEGORY(lcBoard)
