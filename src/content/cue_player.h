// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <chrono>

// Plays one complete WAV image: starts the sound and returns at once with its
// length, by which a caller times what must wait for its end. Every call with
// a playable image cuts off a sound that is still playing, so there is never
// more than one at a time; an image that cannot be played is ignored and
// lasts 0 ms.
class CuePlayer
{
public:
    virtual ~CuePlayer();
    virtual std::chrono::milliseconds play(const QByteArray &wav) = 0;
};
