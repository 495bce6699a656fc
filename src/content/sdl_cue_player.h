// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cue_player.h"

#include <QtGlobal>

// The cue player over SDL2's audio subsystem. One device, opened on first use
// and kept open; the samples are queued as the player's own copy, so a caller
// may refill its buffer while the sound plays. Without audio output a waiting
// call still holds for the sound's length.
class SdlCuePlayer : public CuePlayer
{
public:
    SdlCuePlayer();
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer &) = delete;
    SdlCuePlayer &operator=(const SdlCuePlayer &) = delete;

    void play(const QByteArray &wav, bool wait) override;

    // The open device, 0 before the first sound or without audio output.
    quint32 device() const { return device_; }

    // Device samples per buffer; small so that a sound starts at once.
    static constexpr int BufferSamples = 512;

private:
    bool openDevice();

    quint32 device_ = 0; // an SDL_AudioDeviceID
    bool triedOpen_ = false;
};
