// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav_image.h"

#include <QtEndian>

namespace {

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}
quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

std::optional<WavImage> parseWav(const QByteArray &wav)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return std::nullopt;

    // A RIFF size that overstates the buffer is common in the wild; the
    // buffer's own length is the hard limit either way.
    const qsizetype end = qMin<qsizetype>(wav.size(), qsizetype(le32(wav.constData() + 4)) + 8);
    WavImage image;
    bool haveFmt = false;
    bool haveData = false;
    qsizetype pos = 12;
    while (pos + 8 <= end) {
        const QByteArray id = wav.mid(pos, 4);
        const quint32 size = le32(wav.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (qsizetype(size) > end - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            const char *f = wav.constData() + body;
            image.formatTag = le16(f);
            image.channels = le16(f + 2);
            image.sampleRate = le32(f + 4);
            image.byteRate = le32(f + 8);
            image.blockAlign = le16(f + 12);
            image.bitsPerSample = le16(f + 14);
            haveFmt = true;
        } else if (id == "data") {
            image.samples = wav.mid(body, size);
            haveData = true;
        }
        pos = body + size + (size & 1); // chunks are padded to even lengths
    }
    if (!haveFmt || !haveData)
        return std::nullopt;
    return image;
}
