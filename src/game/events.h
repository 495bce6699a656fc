// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

// Runs then once, after the widget's first frame is out: for what that frame
// does not show, so that it does not wait for it.
void afterFirstFrame(QWidget *widget, std::function<void()> then);

// Runs then once, at the first thing a person does in the program: a move of
// the pointer, a press, a touch or a key. Before that nothing asks for what it
// prepares, and a hand reaching for a button gives it ample time.
void atFirstInput(std::function<void()> then);
