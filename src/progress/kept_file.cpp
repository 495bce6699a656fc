// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "kept_file.h"

#include "progress_log.h"
#include "stored_file.h"

#include <QDir>
#include <QFileInfo>

namespace progress {

bool keepFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString reason;
    if (!storage::replaceStoredFile(path, bytes, &reason)) {
        qCWarning(lcProgress, "cannot save %s: %s", qUtf8Printable(path), qUtf8Printable(reason));
        return false;
    }
    return true;
}

void keepDamaged(const QString &damagedPath, const QByteArray &bytes, const QString &damage)
{
    QByteArray keptAside;
    QString reason;
    if ((storage::readStoredFile(damagedPath, bytes.size(), keptAside) && keptAside == bytes) ||
        storage::replaceStoredFile(damagedPath, bytes, &reason)) {
        qCWarning(lcProgress, "%s; the damaged file is kept as %s", qUtf8Printable(damage),
                  qUtf8Printable(damagedPath));
    } else {
        qCWarning(lcProgress, "%s; it cannot be kept aside as %s: %s", qUtf8Printable(damage),
                  qUtf8Printable(damagedPath), qUtf8Printable(reason));
    }
}

} // namespace progress
