// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The folder that holds the running program, without a trailing separator
// except at the file system's root; on Linux, a folder whose name is not
// UTF-8 is named /proc/self/fd/N. Empty when it cannot be found.
QString programFolder();
