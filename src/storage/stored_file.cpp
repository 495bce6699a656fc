// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stored_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#if defined(Q_OS_UNIX)
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace storage {
namespace {

void say(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
}

} // namespace

#if defined(Q_OS_UNIX)
namespace {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

QByteArray folderOf(const QString &path)
{
    return nativePath(QFileInfo(path).absolutePath());
}

bool failed(QString *reason, const QString &step)
{
    say(reason, step + QStringLiteral(": ") + qt_error_string(errno));
    return false;
}

// A descriptor that closes itself.
struct Fd
{
    int fd = -1;
    explicit Fd(int fd)
        : fd(fd)
    {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
};

// O_NOFOLLOW refuses a link; O_NONBLOCK keeps a pipe put in the file's place
// from holding the program.
int openNoFollow(const QString &path, int flags, QString *reason)
{
    const int fd = ::open(nativePath(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    const int error = errno;
    if (fd < 0) {
        say(reason, error == ELOOP ? QStringLiteral("a link stands in its place") : qt_error_string(error));
        errno = error;
        return -1;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        say(reason, QStringLiteral("not a plain file"));
        errno = EINVAL;
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const QByteArray &bytes, QString *reason)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failed(reason, QStringLiteral("write"));
        done += n;
    }
    return ::fsync(fd) == 0 || failed(reason, QStringLiteral("sync"));
}

// Those who may write the folder may write what is made in it.
mode_t sharedMode(mode_t mode, const QString &path)
{
    struct stat folder
    {
    };
    if (::stat(folderOf(path).constData(), &folder) != 0)
        return mode;
    if (folder.st_mode & S_IWGRP)
        mode |= S_IRGRP | S_IWGRP;
    if (folder.st_mode & S_IWOTH)
        mode |= S_IROTH | S_IWOTH;
    return mode;
}

// The file's name in the folder is synced too: a power cut just after a save
// keeps it.
void syncFolder(const QString &path)
{
    const int fd = ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool openStoredFile(QFile &file, const QString &path, QString *reason)
{
    const int fd = openNoFollow(path, O_RDONLY, reason);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        say(reason, file.errorString());
        return false;
    }
    return true;
}

StoreWay storeWay(const QString &path)
{
    struct stat st
    {
    };
    if (::lstat(nativePath(path).constData(), &st) != 0)
        return errno == ENOENT ? StoreWay::Replace : StoreWay::Refused;
    if (!S_ISREG(st.st_mode))
        return StoreWay::Refused;
    struct stat folder
    {
    };
    const QByteArray folderPath = folderOf(path);
    const uid_t me = ::geteuid();
    const bool mayWrite = ::faccessat(AT_FDCWD, nativePath(path).constData(), W_OK, AT_EACCESS) == 0;
    // Only the file's owner, the folder's or root may rename over a file in
    // a folder with the sticky bit.
    const bool mayRename = ::stat(folderPath.constData(), &folder) == 0 &&
                           ::faccessat(AT_FDCWD, folderPath.constData(), W_OK | X_OK, AT_EACCESS) == 0 &&
                           (!(folder.st_mode & S_ISVTX) || st.st_uid == me || folder.st_uid == me || me == 0);
    // Another user's file that its owner may write was only made with their
    // umask; one that nobody may write was made read-only on purpose.
    const bool anothersWritable = st.st_uid != me && (st.st_mode & S_IWUSR);
    if (mayRename && (mayWrite || anothersWritable))
        return StoreWay::Replace;
    return mayWrite ? StoreWay::InPlace : StoreWay::Refused;
}

bool readStoredFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *reason)
{
    bytes.clear();
    struct stat st
    {
    };
    if (::lstat(nativePath(path).constData(), &st) != 0 && errno == ENOENT)
        return true;
    QFile file;
    if (!openStoredFile(file, path, reason))
        return false;
    bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        say(reason, file.errorString());
        return false;
    }
    return true;
}

bool replaceStoredFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    const QByteArray target = nativePath(path);
    struct stat old
    {
    };
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        say(reason, S_ISLNK(old.st_mode) ? QStringLiteral("a link stands in its place")
                                         : QStringLiteral("not a plain file"));
        return false;
    }
    // The new bytes go to a file with no name, which is named "<file>.XXXXXX"
    // only once whole and then renamed over the file: a crash leaves no
    // part-written file behind. Where the folder's file system cannot make
    // such a file, the copy is named from the start; the next save removes
    // one that a crash left.
    int fd = ::open(folderOf(path).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    const bool unnamed = fd >= 0;
    QByteArray copy;
    auto nextName = [&copy, &target] {
        static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        copy = target + '.';
        for (int i = 0; i < 6; ++i)
            copy += Letters[QRandomGenerator::global()->bounded(int(sizeof(Letters) - 1))];
    };
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        nextName();
        fd = ::open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failed(reason, QStringLiteral("create a copy beside it"));
    const Fd closer(fd);
    // A new file has the permissions the user's umask gives it.
    struct stat made
    {
    };
    const mode_t mode = sharedMode(exists                    ? old.st_mode & 0777
                                   : ::fstat(fd, &made) == 0 ? made.st_mode & 0777
                                                             : 0600,
                                   path);
    if (!writeAll(fd, bytes, reason) ||
        (::fchmod(fd, mode) != 0 && !failed(reason, QStringLiteral("chmod")))) {
        if (!unnamed)
            ::unlink(copy.constData());
        return false;
    }
    bool named = !unnamed;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100 && !named; ++attempt) {
        nextName();
        named = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, copy.constData(), AT_SYMLINK_FOLLOW) == 0;
        if (!named && errno != EEXIST)
            break;
    }
    const bool stored =
        (named || failed(reason, QStringLiteral("name the copy"))) &&
        (::rename(copy.constData(), target.constData()) == 0 || failed(reason, QStringLiteral("rename")));
    if (!stored) {
        if (named)
            ::unlink(copy.constData());
        return false;
    }
    syncFolder(path);
    return true;
}

bool overwriteStoredFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    const int fd = openNoFollow(path, O_WRONLY, reason);
    if (fd < 0)
        return false;
    const Fd closer(fd);
    return (::ftruncate(fd, 0) == 0 || failed(reason, QStringLiteral("truncate"))) &&
           writeAll(fd, bytes, reason);
}

bool writeStoredCopy(const QString &path, const QByteArray &bytes, QString *reason)
{
    // Opened first without O_CREAT: in a sticky folder the kernel may refuse
    // O_CREAT on another user's file even where it could be written.
    int fd = openNoFollow(path, O_WRONLY, reason);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        struct stat made
        {
        };
        if (fd < 0)
            return failed(reason, QStringLiteral("create"));
        if (::fstat(fd, &made) == 0)
            ::fchmod(fd, sharedMode(made.st_mode & 0777, path));
    }
    if (fd < 0)
        return false;
    const Fd closer(fd);
    return (::ftruncate(fd, 0) == 0 || failed(reason, QStringLiteral("truncate"))) &&
           writeAll(fd, bytes, reason);
}

#else
// Elsewhere Qt's own files do what they can.

bool openStoredFile(QFile &file, const QString &path, QString *reason)
{
    file.setFileName(path);
    if (QFileInfo(path).isSymLink() || !file.open(QIODevice::ReadOnly)) {
        say(reason, file.errorString());
        return false;
    }
    return true;
}

StoreWay storeWay(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return StoreWay::Refused;
    return !info.exists() || info.isWritable() ? StoreWay::Replace : StoreWay::Refused;
}

bool readStoredFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *reason)
{
    bytes.clear();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    QFile file;
    if (!openStoredFile(file, path, reason))
        return false;
    bytes = file.read(maxBytes + 1);
    return true;
}

bool replaceStoredFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile file(path);
    const bool saved = !QFileInfo(path).isSymLink() &&
                       file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (!saved)
        say(reason, file.errorString());
    return saved;
}

bool overwriteStoredFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
                         file.write(bytes) == bytes.size();
    if (!written)
        say(reason, file.errorString());
    return written;
}

bool writeStoredCopy(const QString &path, const QByteArray &bytes, QString *reason)
{
    return overwriteStoredFile(path, bytes, reason);
}
#endif

} // namespace storage
