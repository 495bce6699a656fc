// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <optional>

// What the player needs of a WAV image, found by walking its RIFF chunks.
struct WavImage
{
    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    QByteArray samples; // the "data" chunk's bytes
};

// Walks the chunk list, skipping chunks it does not know; no fixed header
// length is assumed. Empty when the image is not a RIFF WAVE with "fmt " and
// "data" chunks that lie inside the buffer.
std::optional<WavImage> parseWav(const QByteArray &wav);
