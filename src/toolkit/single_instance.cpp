// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "single_instance.h"

#include "child_window.h"
#include "window_manager.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWindow>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace toolkit {
namespace {

// Long enough for the start that activated this one, never for a stream of nonsense.
constexpr qint64 LongestRequest = 4096;

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// A socket in the user's runtime folder, named after the user and the key.
QString serverName(const QString &key)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    const QString folder = QDir(key).canonicalPath();
    const QByteArray hash = QCryptographicHash::hash(
        (folder.isEmpty() ? QDir::cleanPath(key) : folder).toUtf8(), QCryptographicHash::Sha256);
    return runtime + QStringLiteral("/tovasel-") + userId() + QLatin1Char('-') +
           QString::fromLatin1(hash.toHex().left(16));
}

// Asks a running copy to come forward, passing on the activation token that
// the desktop gave this start (Wayland lets a window come forward only with one).
bool handOver(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(qgetenv("XDG_ACTIVATION_TOKEN").left(LongestRequest - 1) + '\n');
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString &key)
{
    const QString name = serverName(key);
    if (name.isEmpty())
        return; // nowhere to meet: this copy runs on its own
    if ((handedOver_ = handOver(name)))
        return;
    // Of two starts at once, the one that takes the lock first listens; the
    // other finds it then. Without the lock this copy runs all the same.
    QLockFile lock(name + QStringLiteral(".lock"));
    lock.tryLock(2000);
    if ((handedOver_ = handOver(name)))
        return;
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    if (!server_->listen(name)) {
        // Left behind by a copy that did not end normally.
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() < LongestRequest)
                return;
            const QByteArray token = socket->readLine(LongestRequest).trimmed();
            socket->disconnectFromServer();
            bringForward(token);
        });
    }
}

void SingleInstance::bringForward(const QByteArray &activationToken)
{
    if (!window_)
        return;
    // Qt's Wayland plugin reads the token from here when a window asks to be activated.
    if (!activationToken.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    // Back from minimised to the state it had: full screen stays full screen.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    // An open child window (help, the leaderboard) stays above the game and
    // takes the keyboard, since the game is disabled under it.
    QWidget *target = window_;
    const QWidgetList children = openChildren(window_);
    for (QWidget *child : children) {
        child->raise();
        target = child;
    }
    target->activateWindow();
    activateWithServerTime(target->windowHandle());
}

} // namespace toolkit
