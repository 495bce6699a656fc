// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace toolkit {

// Runs the events already queued (painting, due timer ticks) but leaves
// mouse and keyboard input queued for later, so that a click is never
// handled inside the handling of another.
void processPendingEventsWithoutInput();

} // namespace toolkit
