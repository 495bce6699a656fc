// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cue_player.h"

#include <QtGlobal>

#include <chrono>

struct SdlAudio;

// The cue player over SDL2's audio subsystem. One device, opened on first use
// and kept open; a device the sound server takes away is opened again at the
// next sound, and a sound that finds no device tries to open one, at most
// once per RetryInterval. The samples are queued as the player's own copy, so
// a caller may refill its buffer while the sound plays. Without audio output
// a waiting call still holds for the sound's length.
class SdlCuePlayer : public CuePlayer
{
public:
    SdlCuePlayer();
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer &) = delete;
    SdlCuePlayer &operator=(const SdlCuePlayer &) = delete;

    void play(const QByteArray &wav, bool wait) override;

    // Loads the sound library on a worker thread, so that the first sound
    // need not wait for it.
    static void preload();

    // The open device, 0 before the first sound or without audio output.
    quint32 device() const { return device_; }

    // Device samples per buffer; small so that a sound starts at once.
    static constexpr int BufferSamples = 512;
    // A machine without sound pays for a failed open no more often than this.
    static constexpr std::chrono::milliseconds RetryInterval{1000};

private:
    bool openDevice();
    void closeAudio();

    const SdlAudio *sdl_ = nullptr; // loaded at the first attempt to open
    quint32 device_ = 0;            // an SDL_AudioDeviceID
    bool audioUp_ = false;
    std::chrono::steady_clock::time_point nextTry_{};
};
