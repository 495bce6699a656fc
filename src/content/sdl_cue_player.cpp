// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_cue_player.h"

#include "cue_samples.h"
#include "sdl_audio.h"

#include <QThreadPool>

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

void SdlCuePlayer::preload()
{
    QThreadPool::globalInstance()->start([] { sdlAudio(); });
}

void SdlCuePlayer::closeAudio()
{
    if (device_ != 0)
        sdl_->CloseAudioDevice(device_);
    device_ = 0;
    if (audioUp_)
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
    audioUp_ = false;
}

bool SdlCuePlayer::openDevice()
{
    // A restarting sound server, or a headset that takes over the output,
    // stops the device; it is then replaced at once.
    const bool lost = device_ != 0;
    if (lost && sdl_->GetAudioDeviceStatus(device_) == SDL_AUDIO_PLAYING)
        return true;
    const auto now = Clock::now();
    if (!lost && now < nextTry_)
        return false;
    nextTry_ = now + RetryInterval;
    if (sdl_ == nullptr)
        sdl_ = sdlAudio();
    if (sdl_ == nullptr)
        return false;

    if (lost) {
        // The driver connects to the server afresh for each device.
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
    } else {
        // After a failure the subsystem starts afresh: the driver may be the
        // fallback SDL chose while the sound server was down.
        closeAudio();
        // SDL would otherwise take over Ctrl-C and SIGTERM from the program.
        sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        audioUp_ = true;
    }

    SDL_AudioSpec want{};
    want.freq = CueDeviceRate;
    want.format = AUDIO_U8;
    want.channels = 1;
    want.samples = BufferSamples;
    device_ = sdl_->OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ != 0)
        sdl_->PauseAudioDevice(device_, 0);
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
        sdl_->ClearQueuedAudio(device_);
        if (!samples.isEmpty())
            sdl_->QueueAudio(device_, samples.constData(), Uint32(samples.size()));
    }
    if (!wait)
        return;

    // The sound's own length sets the hold, so the game keeps its timing on
    // machines without audio output too.
    std::this_thread::sleep_until(end);
    const auto giveUp = end + std::chrono::milliseconds(250);
    while (device_ != 0 && sdl_->GetQueuedAudioSize(device_) > 0 && Clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}
