// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QWidget>

class QDBusPendingCallWatcher;

// One copy of the program per user and key (the folder of the board it plays
// on): a later start asks the running copy to bring its window forward, and
// ends. Another user, or a copy with another board, still runs side by side.
// On the session bus the copy owns a name of its own and answers launchers as
// an org.freedesktop.Application; without a bus a lock file keeps its place.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // Asks for the key's place; the answer comes while the window is made.
    explicit SingleInstance(const QString &key);
    ~SingleInstance() override;

    // What a later start asks of the running copy besides coming forward:
    // one of its actions, by name (practice, child), with its parameter.
    void setAction(const QString &name, const QVariantList &parameter = {});
    // Whether a copy already runs for the key; over the bus it has been asked
    // to come forward, and to carry out the action. Waits for the bus's answer.
    bool handedOver();
    // The window that a later start brings forward.
    void setWindow(QWidget *window) { window_ = window; }
    // Raises the window, or its open child window, with the activation token
    // that the desktop gave the start which asked for it.
    void bringForward(const QByteArray &activationToken);

signals:
    // A launcher's desktop action or a later start's request, for the window
    // to carry out when it can.
    void actionRequested(const QString &name, const QVariantList &parameter);

private:
    QString action_;
    QVariantList actionParameter_;
    QString busName_;
    QDBusPendingCallWatcher *request_ = nullptr;
    int lock_ = -1; // the open lock file that this copy holds
    QPointer<QWidget> window_;
    bool handedOver_ = false;
};

// The bus name of the copy that plays on the board in key: the program's id
// for the user's data folder (an installed game's board, which launchers
// activate by that id), the id and a hash of the folder for any other.
QString busName(const QString &key, const QString &userDataFolder);
