// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a cue's WAV image, through the whole decode path to the
// device's samples. What comes out must come from our format only, and the
// resampled length must match the sound's length in time.

#include "cue_samples.h"
#include "wav_image.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

static void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "wav_fuzz: %s\n", what);
        abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray image = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray samples = cueSamples(image);
    const std::optional<WavImage> wav = parseWav(image);
    const bool plainPcm = wav && wav->formatTag == 1 && wav->channels >= 1 && wav->channels <= 2 &&
                          (wav->bitsPerSample == 8 || wav->bitsPerSample == 16) &&
                          wav->sampleRate >= CueMinRate && wav->sampleRate <= CueMaxRate &&
                          wav->blockAlign == wav->channels * wav->bitsPerSample / 8 &&
                          wav->byteRate == wav->sampleRate * wav->blockAlign;
    const qint64 frames = plainPcm ? wav->samples.size() / wav->blockAlign : 0;
    if (!plainPcm || frames > qint64(wav->sampleRate) * CueMaxSeconds) {
        check(samples.isEmpty(), "samples from an image that is not plain PCM of at most a minute");
    } else if (wav->bitsPerSample == 8 && wav->channels == 1 && wav->sampleRate == quint32(CueDeviceRate)) {
        check(samples == wav->samples, "samples in the device's format were changed");
    } else {
        const qint64 expected = frames * CueDeviceRate / wav->sampleRate, slack = 2 + expected / 100;
        check(samples.size() >= expected - slack && samples.size() <= expected + slack,
              "the converted length does not match the sound's length");
    }
    return 0;
}
