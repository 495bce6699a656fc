#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

// Builds small WAV images in memory for the player and parser tests.
struct WavChunk
{
    QByteArray id;
    QByteArray body;
};

inline QByteArray le32Bytes(quint32 v)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray le16Bytes(quint16 v)
{
    QByteArray b(2, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray fmtBody(quint16 channels, quint32 rate, quint16 bits, bool withCbSize)
{
    const quint16 align = channels * bits / 8;
    QByteArray b = le16Bytes(1) + le16Bytes(channels) + le32Bytes(rate) + le32Bytes(rate * align) +
                   le16Bytes(align) + le16Bytes(bits);
    if (withCbSize)
        b += le16Bytes(0);
    return b;
}

inline QByteArray riff(const QList<WavChunk> &chunks)
{
    QByteArray body = "WAVE";
    for (const WavChunk &c : chunks) {
        body += c.id + le32Bytes(quint32(c.body.size())) + c.body;
        if (c.body.size() % 2)
            body += '\0';
    }
    return "RIFF" + le32Bytes(quint32(body.size())) + body;
}

// An 8-bit mono 22050 Hz image in the game's usual layout.
inline QByteArray gameWav(const QByteArray &samples)
{
    return riff({{"fmt ", fmtBody(1, 22050, 8, true)},
                 {"fact", le32Bytes(quint32(samples.size()))},
                 {"data", samples}});
}
