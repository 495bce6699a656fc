// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program_folder.h"

#ifdef Q_OS_LINUX
#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#else
#include <QCoreApplication>
#endif

#ifdef Q_OS_LINUX
// Qt reads the program's path as UTF-8, and a folder named in other bytes
// (GBK, as unzip leaves a zip made on Chinese Windows) comes out as a path
// that does not exist. The kernel's own bytes are used instead; a name that
// no QString can hold is reached through a descriptor kept open on the
// folder for the whole run.
QString programFolder()
{
    static const QString folder = [] {
        QByteArray exe(4096, Qt::Uninitialized);
        const ssize_t length = ::readlink("/proc/self/exe", exe.data(), size_t(exe.size()));
        if (length <= 0 || length >= exe.size())
            return QString();
        exe.truncate(length);
        const qsizetype slash = exe.lastIndexOf('/');
        if (slash < 0)
            return QString();
        const QByteArray bytes = slash == 0 ? QByteArray("/") : exe.left(slash);
        const QString name = QFile::decodeName(bytes);
        if (QFile::encodeName(name) == bytes)
            return name;
        // O_PATH: a folder the user may pass through but not list will do.
        const int fd = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        return fd < 0 ? QString() : QStringLiteral("/proc/self/fd/%1").arg(fd);
    }();
    return folder;
}
#else
QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}
#endif
