#include "sdl_cue_player.h"

#include "wav_image.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int DeviceRate = 22050;

SDL_AudioFormat sdlFormat(const WavImage &wav)
{
    return wav.bitsPerSample == 16 ? AUDIO_S16LSB : AUDIO_U8;
}

// The samples in the device's format (8-bit mono at 22050 Hz, the format of
// every sound the game ships); other PCM layouts are converted by SDL.
QByteArray deviceSamples(const WavImage &wav)
{
    if (wav.formatTag != 1 || wav.channels < 1 || wav.channels > 2 ||
        (wav.bitsPerSample != 8 && wav.bitsPerSample != 16) || wav.sampleRate == 0)
        return {};
    if (wav.bitsPerSample == 8 && wav.channels == 1 && wav.sampleRate == DeviceRate)
        return wav.samples;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, sdlFormat(wav), Uint8(wav.channels), int(wav.sampleRate), AUDIO_U8, 1,
                          DeviceRate) < 0)
        return {};
    const int frameBytes = wav.channels * wav.bitsPerSample / 8;
    const int length = int(wav.samples.size()) / frameBytes * frameBytes;
    QByteArray buffer(qsizetype(length) * cvt.len_mult, Qt::Uninitialized);
    memcpy(buffer.data(), wav.samples.constData(), size_t(length));
    cvt.buf = reinterpret_cast<Uint8 *>(buffer.data());
    cvt.len = length;
    if (SDL_ConvertAudio(&cvt) < 0)
        return {};
    buffer.truncate(cvt.len_cvt);
    return buffer;
}

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
    want.freq = DeviceRate;
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
    const std::optional<WavImage> image = parseWav(wav);
    if (!image)
        return;
    const QByteArray samples = deviceSamples(*image);
    const auto start = Clock::now();
    const auto end = start + std::chrono::microseconds(qint64(samples.size()) * 1000000 / DeviceRate);

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
