// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_cue_player.h"

#include "content_log.h"
#include "cue_samples.h"
#include "sdl_audio.h"

#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Cue
{
    QByteArray samples;
    Clock::time_point end; // when the sound is over, had it started at once
};

} // namespace

// Everything here but the request slot and the counters belongs to the
// worker thread; every SDL call that can reach the sound server is made there.
struct SdlCuePlayer::Worker
{
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Cue> next; // only the latest request counts
    bool quit = false;
    bool done = false;
    std::atomic<quint32> device{0}; // an SDL_AudioDeviceID
    std::atomic<quint64> played{0};

    const SdlAudio *sdl = nullptr; // loaded at the first attempt to open
    bool audioUp = false;
    Clock::time_point nextTry{};
    bool saidSilent = false; // since the device last opened

    void run();
    bool openDevice();
    void silenced(const QString &why);
    void start(const Cue &cue);
    void closeAudio();
};

void SdlCuePlayer::Worker::run()
{
    std::unique_lock lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return quit || next; });
        if (quit)
            break;
        const Cue cue = std::move(*next);
        next.reset();
        lock.unlock();
        const bool open = openDevice(); // as long as the sound server takes
        lock.lock();
        // A sound asked for meanwhile replaces this one, and a sound is never
        // heard after its time.
        if (open && !next && !quit && Clock::now() < cue.end) {
            lock.unlock();
            start(cue);
            lock.lock();
        }
    }
    lock.unlock();
    closeAudio();
    // SDL keeps its error text per thread, and frees it only for its own threads.
    if (sdl != nullptr)
        sdl->TLSCleanup();
    lock.lock();
    done = true;
    wake.notify_all();
}

bool SdlCuePlayer::Worker::openDevice()
{
    // A restarting sound server, or a headset that takes over the output,
    // stops the device; it is then replaced at once.
    quint32 id = device;
    const bool lost = id != 0;
    if (lost && sdl->GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING)
        return true;
    const auto now = Clock::now();
    if (!lost && now < nextTry)
        return false;
    nextTry = now + RetryInterval;
    if (sdl == nullptr)
        sdl = sdlAudio();
    if (sdl == nullptr)
        return false;

    if (lost) {
        // The driver connects to the server afresh for each device.
        qCDebug(lcSound) << "the audio device stopped; opening it again";
        device = 0;
        sdl->CloseAudioDevice(id);
    } else {
        // After a failure the subsystem starts afresh: the driver may be the
        // fallback SDL chose while the sound server was down.
        closeAudio();
        // SDL would otherwise take over Ctrl-C and SIGTERM from the program.
        sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
            silenced(QStringLiteral("no audio driver"));
            return false;
        }
        audioUp = true;
    }

    const SDL_AudioSpec want = cueDeviceSpec(BufferSamples);
    id = sdl->OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (id == 0) {
        silenced(QStringLiteral("no audio device"));
        return false;
    }
    sdl->PauseAudioDevice(id, 0);
    device = id;
    saidSilent = false;
    return true;
}

// The game goes silent: said once, not at every retry.
void SdlCuePlayer::Worker::silenced(const QString &why)
{
    if (saidSilent) {
        qCDebug(lcSound, "%s: %s", qUtf8Printable(why), sdl->GetError());
        return;
    }
    saidSilent = true;
    qCWarning(lcSound, "%s, the game plays without sound: %s", qUtf8Printable(why), sdl->GetError());
}

void SdlCuePlayer::Worker::start(const Cue &cue)
{
    // The last buffer of a sound whose time is over is let through rather
    // than clipped; anything more is a sound still playing, and is cut off.
    if (sdl->GetQueuedAudioSize(device) > Uint32(BufferSamples))
        sdl->ClearQueuedAudio(device);
    if (sdl->QueueAudio(device, cue.samples.constData(), Uint32(cue.samples.size())) != 0)
        qCDebug(lcSound) << "a sound was not queued:" << sdl->GetError();
    ++played;
}

void SdlCuePlayer::Worker::closeAudio()
{
    if (device != 0)
        sdl->CloseAudioDevice(device);
    device = 0;
    if (audioUp)
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
    audioUp = false;
}

SdlCuePlayer::SdlCuePlayer()
    : worker_(std::make_shared<Worker>())
    , thread_([worker = worker_] { worker->run(); })
{}

SdlCuePlayer::~SdlCuePlayer()
{
    std::unique_lock lock(worker_->mutex);
    worker_->quit = true;
    worker_->wake.notify_all();
    if (worker_->wake.wait_for(lock, CloseWait, [this] { return worker_->done; })) {
        lock.unlock();
        thread_.join();
    } else {
        qCDebug(lcSound) << "the sound server does not answer; the audio device is left to the system";
        thread_.detach();
        // Its state stays reachable, so that leak checkers see it in use.
        static auto *const leftBehind = new std::vector<std::shared_ptr<Worker>>;
        leftBehind->push_back(worker_);
    }
}

void SdlCuePlayer::preload()
{
    QThreadPool::globalInstance()->start([] { sdlAudio(); });
}

quint32 SdlCuePlayer::device() const
{
    return worker_->device;
}

quint64 SdlCuePlayer::played() const
{
    return worker_->played;
}

std::chrono::milliseconds SdlCuePlayer::play(const QByteArray &wav)
{
    // Whatever the device cannot be given is not played and cuts off nothing.
    Cue cue{cueSamples(wav), {}};
    if (cue.samples.isEmpty())
        return {};
    // The sound's own length, so that the game keeps its timing whatever the
    // device does, and on machines without audio output too.
    const std::chrono::microseconds length(qint64(cue.samples.size()) * 1000000 / CueDeviceRate);
    cue.end = Clock::now() + length;
    {
        const std::lock_guard lock(worker_->mutex);
        worker_->next = std::move(cue);
    }
    worker_->wake.notify_all();
    return std::chrono::ceil<std::chrono::milliseconds>(length);
}
