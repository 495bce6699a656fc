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
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (triedOpen_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlCuePlayer::openDevice()
{
    if (triedOpen_)
        return device_ != 0;
    triedOpen_ = true;

    // SDL would otherwise take over Ctrl-C and SIGTERM from the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;

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
