// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace leaderboard {

// True when a new file can be created in folder (tried, not guessed from
// permission bits, so read-only mounts and ACLs count too).
bool canCreateFilesIn(const QString &folder);

// The folder for the board file, chosen once at start-up: the program's own
// folder when it can be written (a build tree, a portable copy), otherwise
// the user's data folder, which is created when missing; also when the
// program's folder is empty (not found). No trailing separator.
QString boardFolder(const QString &programFolder, const QString &userDataFolder);

} // namespace leaderboard
