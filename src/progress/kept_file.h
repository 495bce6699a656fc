// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// How the progress files (the records, the list of children) are kept in the
// user's data folder, and what is said when that fails.
namespace progress {

// Writes the file whole or not at all, its folder made if missing; a warning
// says why not.
bool keepFile(const QString &path, const QByteArray &bytes);

// Keeps a damaged file's bytes aside at damagedPath, once for the same bytes,
// before a save replaces it, and warns: "<damage>; the damaged file is kept
// as ...".
void keepDamaged(const QString &damagedPath, const QByteArray &bytes, const QString &damage);

} // namespace progress
