// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <utility>

// Small WAV images built in memory for the player and parser tests.
template <typename T> QByteArray le(T v)
{
    QByteArray b(sizeof v, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

// An 18-byte "fmt " body; block align and byte rate follow from the rest unless given.
struct Fmt
{
    quint16 tag = 1, channels = 1;
    quint32 rate = 22050;
    quint16 bits = 8;
    qint64 align = -1, byteRate = -1;
};

inline QByteArray fmtBody(const Fmt &f = {})
{
    const quint16 align = f.align >= 0 ? quint16(f.align) : quint16(f.channels * f.bits / 8);
    const quint32 byteRate = f.byteRate >= 0 ? quint32(f.byteRate) : f.rate * align;
    return le(f.tag) + le(f.channels) + le(f.rate) + le(byteRate) + le(align) + le(f.bits) +
           QByteArray(2, '\0');
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
inline QByteArray gameWav(const QByteArray &samples, const Fmt &f = {})
{
    return riff({{"fmt ", fmtBody(f)}, {"fact", le(quint32(samples.size()))}, {"data", samples}});
}
