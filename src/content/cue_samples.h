// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <SDL.h>

// What the audio device is opened for: 8-bit unsigned mono at 22050 Hz, the
// format of every sound the game ships, which so reaches it unchanged.
constexpr int CueDeviceRate = 22050;
constexpr int CueDeviceChannels = 1;
constexpr int CueDeviceBits = 8;

// SDL's name for the PCM samples of a WAV file: 8-bit ones are unsigned,
// 16-bit ones signed little-endian.
constexpr SDL_AudioFormat sdlSampleFormat(int bitsPerSample)
{
    return bitsPerSample == 16 ? AUDIO_S16LSB : AUDIO_U8;
}

// What the device is asked for when it is opened, with buffers of bufferSamples.
SDL_AudioSpec cueDeviceSpec(int bufferSamples);

// The cue formats taken: plain PCM, 1 or 2 channels of 8 or 16 bits, at a
// rate a sound card would use, and no longer than any cue could need.
constexpr quint32 CueMinRate = 8000;
constexpr quint32 CueMaxRate = 48000;
constexpr int CueMaxSeconds = 60;

// The WAV image's samples in the device's format, converted by SDL where the
// image is in another layout (no audio device needed). Empty when the image
// is not one of the formats above or its header disagrees with itself; a
// trailing part of a frame is dropped.
QByteArray cueSamples(const QByteArray &wavImage);
