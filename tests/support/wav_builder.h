// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

// Small WAV images built in memory for the player and parser tests.
template <typename T> QByteArray le(T v)
{
    QByteArray b(sizeof v, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

// An 18-byte "fmt " body; block align and byte rate follow from the rest unless given.
inline QByteArray fmtBody(quint16 tag = 1, quint16 channels = 1, quint32 rate = 22050, quint16 bits = 8,
                          int align = -1, qint64 byteRate = -1)
{
    align = align >= 0 ? align : channels * bits / 8;
    return le(tag) + le(channels) + le(rate) + le(quint32(byteRate >= 0 ? byteRate : rate * align)) +
           le(quint16(align)) + le(bits) + QByteArray(2, '\0');
}

// Chunks as id and body; odd-sized ones are padded to an even length.
inline QByteArray riff(const QList<std::pair<QByteArray, QByteArray>> &chunks)
{
    QByteArray body = "WAVE";
    for (const auto &[id, chunk] : chunks)
        body += id + le(quint32(chunk.size())) + chunk + QByteArray(chunk.size() % 2, '\0');
    return "RIFF" + le(quint32(body.size())) + body;
}

// The game's usual layout: fmt, fact, data.
inline QByteArray gameWav(const QByteArray &samples, const QByteArray &fmt = fmtBody())
{
    return riff({{"fmt ", fmt}, {"fact", le(quint32(samples.size()))}, {"data", samples}});
}
