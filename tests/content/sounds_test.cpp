// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "wav_image.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

// Every built-in sound: 8-bit mono 22050 Hz PCM in chunks fmt (18 bytes),
// fact, data; 121 has a 16-byte fmt and 124 a 16-byte fmt with no fact.
TEST(Sounds, EveryCueIsEightBitMono22kWithItsChunkLayout)
{
    for (int n : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 201, 202,
                  203, 204, 205, 206, 207, 208, 209, 210, 121, 122, 123, 124}) {
        SCOPED_TRACE(n);
        const QByteArray bytes = content::sound(n);
        const auto wav = parseWav(bytes);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(std::tuple(wav->formatTag, wav->channels, wav->sampleRate, wav->byteRate, wav->blockAlign,
                             wav->bitsPerSample),
                  std::tuple(1, 1, 22050u, 22050u, 1, 8));
        EXPECT_EQ(wav->fmtChunkSize, n == 121 || n == 124 ? 16u : 18u);
        EXPECT_EQ(wav->hasFact, n != 124);
        const qsizetype fact = bytes.indexOf("fact");
        EXPECT_EQ(bytes.indexOf("fmt "), 12);
        EXPECT_TRUE(n == 124 || (fact > 12 && fact < bytes.indexOf("data")))
            << "fact not between fmt and data";
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8))
            << "RIFF size";
    }
    EXPECT_TRUE(content::sound(125).isEmpty());
    EXPECT_TRUE(content::sound(0).isEmpty());
}

TEST(Sounds, WordRecordingsAreAudibleAndEffectsHaveTheirLengths)
{
    for (int figure = 1; figure <= 2; ++figure) {
        for (int w = 0; w < 10; ++w) {
            SCOPED_TRACE(content::wordSound(figure, w));
            const auto wav = parseWav(content::sound(content::wordSound(figure, w)));
            ASSERT_TRUE(wav.has_value());
            ASSERT_GE(wav->seconds(), 0.6);
            EXPECT_LE(wav->seconds(), 0.9);
            // Not silence: a real recording swings well away from 128.
            const auto [low, high] =
                std::minmax_element(wav->samples.begin(), wav->samples.end(),
                                    [](char a, char b) { return quint8(a) < quint8(b); });
            EXPECT_GT(std::max(128 - quint8(*low), quint8(*high) - 128), 60);
        }
    }
    for (auto [n, seconds] :
         {std::pair(121, 0.27), std::pair(122, 0.36), std::pair(123, 5.25), std::pair(124, 0.45)}) {
        const auto wav = parseWav(content::sound(n));
        ASSERT_TRUE(wav.has_value()) << n;
        EXPECT_NEAR(wav->seconds(), seconds, seconds * 0.15) << n;
    }
}
