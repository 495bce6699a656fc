// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <utility>

// Builds small WAV images in memory for the player and parser tests.
using WavChunk = std::pair<QByteArray, QByteArray>; // id and body

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

// PCM, 1 channel, 22050 Hz, 22050 bytes/s, 1-byte blocks, 8 bits; the
// 18-byte form adds an empty extra-size field.
inline QByteArray fmtBody(bool withCbSize)
{
    return QByteArray::fromHex(withCbSize ? "0100 0100 22560000 22560000 0100 0800 0000"
                                          : "0100 0100 22560000 22560000 0100 0800");
}

// Odd-sized chunks are padded to an even length.
inline QByteArray riff(const QList<WavChunk> &chunks)
{
    QByteArray body = "WAVE";
    for (const auto &[id, chunk] : chunks)
        body += id + le32(quint32(chunk.size())) + chunk + QByteArray(chunk.size() % 2, '\0');
    return "RIFF" + le32(quint32(body.size())) + body;
}

// An 8-bit mono 22050 Hz image in the game's usual layout.
inline QByteArray gameWav(const QByteArray &samples)
{
    return riff({{"fmt ", fmtBody(true)}, {"fact", le32(quint32(samples.size()))}, {"data", samples}});
}
