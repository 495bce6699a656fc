// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// tovasel.progress: a record that was damaged or could not be saved is a
// warning, shown by default.
Q_DECLARE_LOGGING_CATEGORY(lcProgress)
