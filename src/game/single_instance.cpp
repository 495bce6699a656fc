// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "single_instance.h"

#include "dialog.h"
#include "window_manager.h"

#include <QCryptographicHash>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QWindow>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString AppId = QStringLiteral("org.tovasel.tovasel");
const QString ObjectPath = QStringLiteral("/org/tovasel/tovasel");
const QString ApplicationInterface = QStringLiteral("org.freedesktop.Application");
// RequestName's flag for "fail rather than wait in line", and its answer when another owns the name.
constexpr uint DoNotQueue = 4;
constexpr uint NameExists = 3;
// Long enough for a running copy to raise its window, never a hung copy's whole time.
constexpr int HandOverWait = 2000;

QString userId()
{
    return QString::number(::getuid());
}

QString folderHash(const QString &key)
{
    const QString folder = QDir(key).canonicalPath();
    const QByteArray hash = QCryptographicHash::hash(
        (folder.isEmpty() ? QDir::cleanPath(key) : folder).toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(16));
}

// A lock in the user's runtime folder, named after the user and the key.
QString lockName(const QString &key)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    return runtime + QStringLiteral("/tovasel-") + userId() + QLatin1Char('-') + folderHash(key) +
           QStringLiteral(".lock");
}

// Asks the copy that owns name to come forward, and to carry out the action if
// there is one, passing on the activation token that the desktop gave this
// start (Wayland lets a window come forward only with one).
void askToComeForward(QDBusConnection bus, const QString &name, const QString &action,
                      const QVariantList &parameter)
{
    QVariantMap platformData;
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (!token.isEmpty())
        platformData.insert(QStringLiteral("activation-token"), token);
    QDBusMessage call = QDBusMessage::createMethodCall(name, ObjectPath, ApplicationInterface,
                                                       action.isEmpty() ? QStringLiteral("Activate")
                                                                        : QStringLiteral("ActivateAction"));
    if (action.isEmpty())
        call << platformData;
    else
        call << action << QVariant::fromValue(parameter) << platformData;
    call.setAutoStartService(false); // the running copy, never a new one
    bus.call(call, QDBus::Block, HandOverWait);
}

// What a launcher or a later start asks of the running game. It opens no
// files; every request brings it forward, and an action is passed on.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationAdaptor(SingleInstance *instance)
        : QDBusAbstractAdaptor(instance)
        , instance_(instance)
    {}

public slots:
    void Activate(const QVariantMap &platformData)
    {
        instance_->bringForward(platformData.value(QStringLiteral("activation-token")).toString().toUtf8());
    }
    void Open(const QStringList &uris, const QVariantMap &platformData)
    {
        Q_UNUSED(uris)
        Activate(platformData);
    }
    void ActivateAction(const QString &actionName, const QVariantList &parameter,
                        const QVariantMap &platformData)
    {
        Activate(platformData);
        emit instance_->actionRequested(actionName, parameter);
    }

private:
    SingleInstance *instance_;
};

} // namespace

QString busName(const QString &key, const QString &userDataFolder)
{
    const QString hash = folderHash(key);
    if (!userDataFolder.isEmpty() && hash == folderHash(userDataFolder))
        return AppId;
    return AppId + QStringLiteral(".Board_") + hash;
}

SingleInstance::SingleInstance(const QString &key)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        busName_ = busName(key, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        // Ready before the name is ours: a launcher's call may be waiting for it.
        new ApplicationAdaptor(this);
        bus.registerObject(ObjectPath, this);
        request_ = new QDBusPendingCallWatcher(
            bus.interface()->asyncCall(QStringLiteral("RequestName"), busName_, DoNotQueue), this);
        return;
    }
    // No bus (a bare X session): the running copy cannot be raised, but
    // its lock keeps a second window off its board.
    const QString name = lockName(key);
    if (name.isEmpty())
        return; // nowhere to meet: this copy runs on its own
    // The kernel holds the lock for this copy's process and lets it go
    // however the process ends, so a crashed copy's lock gives way to the
    // next start; a running copy's holds, however old. A lock that cannot
    // be made at all leaves this copy on its own.
    const int lock =
        ::open(QFile::encodeName(name).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0)
        return;
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
        lock_ = lock;
        return;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(lock);
    if (!held)
        return;
    handedOver_ = true;
    std::fprintf(stderr, "%s: already running for the board in %s\n",
                 qPrintable(QCoreApplication::applicationName()), qPrintable(QDir::toNativeSeparators(key)));
}

SingleInstance::~SingleInstance()
{
    if (lock_ >= 0)
        ::close(lock_);
}

void SingleInstance::setAction(const QString &name, const QVariantList &parameter)
{
    action_ = name;
    actionParameter_ = parameter;
}

bool SingleInstance::handedOver()
{
    if (request_ != nullptr) {
        request_->waitForFinished();
        const QDBusPendingReply<uint> reply = *request_;
        // Without an answer this copy plays on its own.
        handedOver_ = reply.isValid() && reply.value() == NameExists;
        if (handedOver_)
            askToComeForward(QDBusConnection::sessionBus(), busName_, action_, actionParameter_);
        delete request_;
        request_ = nullptr;
    }
    return handedOver_;
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
    // An open dialog (help, the leaderboard) stays above the game and takes
    // the keyboard, since the game takes none under it.
    QWidget *target = window_;
    const QList<QDialog *> dialogs = toolkit::openDialogs(window_);
    for (QDialog *dialog : dialogs) {
        dialog->raise();
        target = dialog;
    }
    target->activateWindow();
    toolkit::activateWithServerTime(target->windowHandle());
}

#include "single_instance.moc"
