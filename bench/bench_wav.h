// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

// A WAV image in the game's own format (8-bit mono PCM at 22050 Hz) holding
// a steady tone of the given number of samples.
inline QByteArray benchWav(int samples)
{
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(1, fmt.data());
    qToLittleEndian<quint16>(1, fmt.data() + 2);
    qToLittleEndian<quint32>(22050, fmt.data() + 4);
    qToLittleEndian<quint32>(22050, fmt.data() + 8);
    qToLittleEndian<quint16>(1, fmt.data() + 12);
    qToLittleEndian<quint16>(8, fmt.data() + 14);
    auto chunk = [](const char *id, const QByteArray &body) {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(body.size()), size.data());
        return QByteArray(id) + size + body;
    };
    return chunk("RIFF", "WAVE" + chunk("fmt ", fmt) + chunk("data", QByteArray(samples, char(0xa0))));
}
