// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "child_window.h"

class QLabel;

// The help window: the game's goal and rules. While it is open the opener's
// window owns its window.
class HelpWindow : public toolkit::ChildWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *opener);

    // Shows the help at its place, not modal.
    void open();

private:
    QLabel *helpLabel_ = nullptr;
};
