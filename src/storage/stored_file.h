// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// The game's own files (the board, the child's record) may lie in a folder
// that other users share: nothing is read or written through a symbolic link
// that someone put in their place, and a file made in a shared folder is
// writable for those who share it.
namespace storage {

// Opens a regular file for reading, never through a link, and never waiting
// on a pipe or a device put there. reason says why not.
bool openStoredFile(QFile &file, const QString &path, QString *reason = nullptr);

// Reads at most maxBytes + 1 bytes of a regular file, never through a link;
// a missing file is empty with no reason.
bool readStoredFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *reason = nullptr);

// Writes bytes to a new file beside path, synced, and renames it over path:
// a reader finds the old bytes or the new, whole. A link at path is never
// replaced. The new file keeps the old one's permissions, or those a new file
// gets; either way, in a folder that its group or others may write, they may
// write it too.
bool replaceStoredFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

// Whether replaceStoredFile may rename over the file at path: a link, or
// another user's file in a folder with the sticky bit, may not be replaced.
// A file that its owner made read-only is never replaced by another user.
enum class StoreWay { Replace, InPlace, Refused };
StoreWay storeWay(const QString &path);

// Writes bytes over an existing regular file in place, truncating it first,
// and syncs them. Not atomic: callers keep a whole copy elsewhere first.
bool overwriteStoredFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

// Writes bytes to path, made if missing (with the shared permissions above) or
// truncated and rewritten in place, and synced; never through a link.
bool writeStoredCopy(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

} // namespace storage
