// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_cue_player.h"

#include "cue_samples.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

SdlCuePlayer::SdlCuePlayer() = default;

SdlCuePlayer::~SdlCuePlayer()
{
    closeAudio();
}

void SdlCuePlayer::closeAudio()
{
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (audioUp_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioUp_ = false;
}

bool SdlCuePlayer::openDevice()
{
    // A restarting sound server, or a headset that takes over the output,
    // stops the device; it is then replaced at once.
    const bool lost = device_ != 0;
    if (lost && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_PLAYING)
        return true;
    const auto now = Clock::now();
    if (!lost && now < nextTry_)
        return false;
    nextTry_ = now + RetryInterval;

    if (lost) {
        // The driver connects to the server afresh for each device.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    } else {
        // After a failure the subsystem starts afresh: the driver may be the
        // fallback SDL chose while the sound server was down.
        closeAudio();
        // SDL would otherwise take over Ctrl-C and SIGTERM from the program.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        audioUp_ = true;
    }

    SDL_AudioSpec want{};
    want.freq = CueDeviceRate;
    want.format = AUDIO_U8;
    want.channels = 1;
    want.samples = BufferSamples;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, 0);
    return device_ != 0;
}

void SdlCuePlayer::play(const QByteArray &wav, bool wait)
{
    // Whatever the device cannot be given is not played and cuts off nothing.
    const QByteArray samples = cueSamples(wav);
    if (samples.isEmpty())
        return;
    const auto start = Clock::now();
    const auto end = start + std::chrono::microseconds(qint64(samples.size()) * 1000000 / CueDeviceRate);

    if (openDevice()) {
        SDL_ClearQueuedAudio(device_);
        if (!samples.isEmpty())
            SDL_QueueAudio(device_, samples.constData(), Uint32(samples.size()));
    }
    if (!wait)
        return;

    // The sound's own length sets the hold, so the game keeps its timing on
    // machines without audio output too.
    std::this_thread::sleep_until(end);
    const auto giveUp = end + std::chrono::milliseconds(250);
    while (device_ != 0 && SDL_GetQueuedAudioSize(device_) > 0 && Clock::now() < giveUp)
        SDL_Delay(2);
}
