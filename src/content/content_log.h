// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The content's two categories: a picture that cannot be drawn
// (tovasel.art) and a game that stays silent (tovasel.sound) are warnings,
// shown by default; what the sound device does is debug, shown when asked
// for (QT_LOGGING_RULES="tovasel.sound.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcArt)
Q_DECLARE_LOGGING_CATEGORY(lcSound)
