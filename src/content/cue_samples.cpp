// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cue_samples.h"

#include "sdl_audio.h"
#include "wav_image.h"

#include <cstring>

namespace {

// The header must describe plain PCM and agree with itself, so that the
// frame size, the rate and the length cannot pull against each other.
bool isCueFormat(const WavImage &wav)
{
    if (wav.formatTag != 1 || (wav.channels != 1 && wav.channels != 2) ||
        (wav.bitsPerSample != 8 && wav.bitsPerSample != 16))
        return false;
    if (wav.sampleRate < CueMinRate || wav.sampleRate > CueMaxRate)
        return false;
    const quint32 frameBytes = wav.channels * wav.bitsPerSample / 8u;
    return wav.blockAlign == frameBytes && wav.byteRate == wav.sampleRate * frameBytes;
}

} // namespace

SDL_AudioSpec cueDeviceSpec(int bufferSamples)
{
    SDL_AudioSpec device{};
    device.freq = CueDeviceRate;
    device.format = sdlSampleFormat(CueDeviceBits);
    device.channels = CueDeviceChannels;
    device.samples = Uint16(bufferSamples);
    return device;
}

QByteArray cueSamples(const QByteArray &wavImage)
{
    const std::optional<WavImage> wav = parseWav(wavImage);
    if (!wav || !isCueFormat(*wav))
        return {};
    const qsizetype frames = wav->samples.size() / wav->blockAlign;
    // The rate floor and this cap bound what one image can cost: SDL asks
    // for scratch space a multiple of the input.
    if (frames > qsizetype(wav->sampleRate) * CueMaxSeconds)
        return {};
    if (wav->bitsPerSample == CueDeviceBits && wav->channels == CueDeviceChannels &&
        wav->sampleRate == quint32(CueDeviceRate))
        return wav->samples;
    if (frames == 0)
        return {};

    const SdlAudio *sdl = sdlAudio();
    if (sdl == nullptr)
        return {};
    SDL_AudioCVT cvt;
    if (sdl->BuildAudioCVT(&cvt, sdlSampleFormat(wav->bitsPerSample), Uint8(wav->channels),
                           int(wav->sampleRate), sdlSampleFormat(CueDeviceBits), CueDeviceChannels,
                           CueDeviceRate) < 0)
        return {};
    const qsizetype length = frames * wav->blockAlign;
    QByteArray buffer(length * cvt.len_mult, Qt::Uninitialized);
    memcpy(buffer.data(), wav->samples.constData(), size_t(length));
    cvt.buf = reinterpret_cast<Uint8 *>(buffer.data());
    cvt.len = int(length);
    if (sdl->ConvertAudio(&cvt) < 0 || cvt.len_cvt < 0 || cvt.len_cvt > buffer.size())
        return {};
    buffer.truncate(cvt.len_cvt);
    return buffer;
}
