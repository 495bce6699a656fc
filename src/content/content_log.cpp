// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "content_log.h"

Q_LOGGING_CATEGORY(lcArt, "tovasel.art", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSound, "tovasel.sound", QtWarningMsg)
