// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_folder.h"

#include <QDir>
#include <QTemporaryFile>

namespace leaderboard {

bool canCreateFilesIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.tovasel-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes out of scope
}

QString boardFolder(const QString &programFolder, const QString &userDataFolder)
{
    // An empty folder is one that could not be found, not the current one
    // nor the root.
    if (!programFolder.isEmpty() && canCreateFilesIn(programFolder))
        return programFolder;
    // An installed program's folder (/usr/bin) is not the user's to write.
    QDir().mkpath(userDataFolder);
    return userDataFolder;
}

} // namespace leaderboard
