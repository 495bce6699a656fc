// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QLocalServer;

namespace toolkit {

// One copy of the program per user and key (the folder of the board it plays
// on): a later start asks the running copy to bring its window forward, and
// ends. Another user, or a copy with another board, still runs side by side.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &key);

    // Whether a copy already ran for the key; it has been asked to come forward.
    bool handedOver() const { return handedOver_; }
    // The window that a later start brings forward.
    void setWindow(QWidget *window) { window_ = window; }

private:
    void answer();
    void bringForward(const QByteArray &activationToken);

    QLocalServer *server_ = nullptr;
    QPointer<QWidget> window_;
    bool handedOver_ = false;
};

} // namespace toolkit
