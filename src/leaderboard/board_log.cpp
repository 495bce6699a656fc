// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_log.h"

Q_LOGGING_CATEGORY(lcBoard, "tovasel.board", QtWarningMsg)
