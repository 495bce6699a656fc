// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "children.h"
#include "dialog.h"

#include <functional>

class QLabel;
class QLineEdit;

// Asks a parent for a child's name. A name that cannot be kept is refused in
// the dialog itself, with the reason under the name, which stays as typed
// for mending; only a name that can be kept closes it.
class NameDialog : public toolkit::Dialog
{
    Q_OBJECT

public:
    using Check = std::function<progress::NameProblem(const QString &name)>;

    NameDialog(QWidget *opener, const QString &title, Check check);

    // Opens with the name to start from, selected.
    void ask(const QString &name);

signals:
    // The name, tidied, once it can be kept.
    void nameChosen(const QString &name);

private:
    void tryName();

    Check check_;
    QLineEdit *nameEdit_ = nullptr;
    QLabel *problemLabel_ = nullptr;
};
