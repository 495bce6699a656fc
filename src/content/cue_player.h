// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// Plays one complete WAV image. wait = false starts the sound and returns at
// once; wait = true returns when it has ended. Every call with a playable
// image cuts off a sound that is still playing, so there is never more than
// one at a time; an image that cannot be played is ignored.
class CuePlayer
{
public:
    virtual ~CuePlayer();
    virtual void play(const QByteArray &wav, bool wait) = 0;
};
