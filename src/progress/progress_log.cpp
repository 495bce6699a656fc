// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress_log.h"

Q_LOGGING_CATEGORY(lcProgress, "tovasel.progress", QtWarningMsg)
