// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "single_instance.h"

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
#ifdef Q_OS_LINUX
#include <xcb/xcb.h>

#include <cstdlib>
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

// On X11, asks the window manager to activate the window with the server's
// current time. Qt's own request carries the time of the last event this
// program saw, which is older than whatever the user did since in another
// program, so a window manager that guards against focus stealing (mutter)
// refuses it. A later start is the user's own action: it may take the focus.
void activateNow(QWindow *window)
{
#ifdef Q_OS_LINUX
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform offers the interface without a connection.
    if (!x11 || !x11->connection() || !window)
        return;
    // Qt's connection hands every event to its own reader thread: the time is
    // read as the PropertyNotify of a zero-length append on a connection of our own.
    xcb_connection_t *own = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(own)) {
        xcb_disconnect(own);
        return;
    }
    const QByteArray name("_TOVASEL_TIMESTAMP");
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(own, xcb_intern_atom(own, 0, name.size(), name.constData()), nullptr);
    const auto id = xcb_window_t(window->winId());
    xcb_timestamp_t now = XCB_CURRENT_TIME;
    if (atom) {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(own, id, XCB_CW_EVENT_MASK, &mask);
        xcb_change_property(own, XCB_PROP_MODE_APPEND, id, atom->atom, XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(own);
        while (xcb_generic_event_t *event = xcb_wait_for_event(own)) {
            const auto *property = reinterpret_cast<xcb_property_notify_event_t *>(event);
            const uint8_t type = event->response_type & ~0x80;
            const bool found = type == XCB_PROPERTY_NOTIFY && property->atom == atom->atom;
            if (found)
                now = property->time;
            free(event);
            if (found || type == 0) // 0: an error (the window is gone): no time to be had
                break;
        }
        free(atom);
    }
    xcb_disconnect(own);
    if (now == XCB_CURRENT_TIME)
        return;

    // Sent on Qt's connection, after Qt's own request, so that it arrives last.
    xcb_connection_t *connection = x11->connection();
    const QByteArray activeName("_NET_ACTIVE_WINDOW");
    xcb_intern_atom_reply_t *active = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, activeName.size(), activeName.constData()), nullptr);
    if (!active)
        return;
    const QWindow *focused = QGuiApplication::focusWindow();
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = active->atom;
    message.data.data32[0] = 1; // from an application
    message.data.data32[1] = now;
    message.data.data32[2] = focused ? xcb_window_t(focused->winId()) : XCB_NONE;
    free(active);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
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
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->windowHandle() && window_->windowHandle() &&
            window->windowHandle()->transientParent() == window_->windowHandle()) {
            window->raise();
            target = window;
        }
    }
    target->activateWindow();
    activateNow(target->windowHandle());
}

} // namespace toolkit
