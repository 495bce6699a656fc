// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cue_player.h"

#include <QtGlobal>

#include <chrono>
#include <memory>
#include <thread>

// The cue player over SDL2's audio subsystem. A worker thread of its own owns
// the device: a sound server that hangs (stopped, or stuck on a device) holds
// that thread, never the caller, and a sound's length is counted by the
// clock, with or without a device. The device is opened at the first
// sound and kept open; one the sound server takes away is opened again at the
// next sound, and a sound that finds no device has one tried, at most once
// per RetryInterval. A sound that waited for the device to open plays only
// if no other was asked for meanwhile and its time is not over.
class SdlCuePlayer : public CuePlayer
{
public:
    SdlCuePlayer();
    // Closes the device in order, unless the worker is still held by the
    // sound server after CloseWait: it is then left to end with the process.
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer &) = delete;
    SdlCuePlayer &operator=(const SdlCuePlayer &) = delete;

    std::chrono::milliseconds play(const QByteArray &wav) override;

    // Loads the sound library on a worker thread, so that the first sound
    // need not wait for it.
    static void preload();

    // The open device, 0 before the first sound or without audio output.
    quint32 device() const;
    // How many sounds have been handed to the device.
    quint64 played() const;

    // Device samples per buffer; small so that a sound starts at once.
    static constexpr int BufferSamples = 512;
    // A machine without sound pays for a failed open no more often than this.
    static constexpr std::chrono::milliseconds RetryInterval{1000};
    static constexpr std::chrono::milliseconds CloseWait{200};

private:
    struct Worker;
    std::shared_ptr<Worker> worker_; // shared with a thread that may outlive the player
    std::thread thread_;
};
