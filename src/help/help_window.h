// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialog.h"

// The help window: the game's goal and rules.
class HelpWindow : public toolkit::Dialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *opener);

    // Shows the help at its place.
    void open() override;
};
