// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav_builder.h"
#include "wav_image.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(WavImage, ReadsEachLayoutTheGameShipsSkippingOtherChunks)
{
    const QByteArray samples(301, char(0x90));
    // 18-byte fmt with fact, 16-byte fmt with fact, 16-byte fmt without fact,
    // then unknown and odd-sized chunks around the fmt
    const std::tuple<quint32, bool, QByteArray> layouts[] = {
        {18, true, gameWav(samples)},
        {16, true, riff({{"fmt ", fmtBody(false)}, {"fact", le32(301)}, {"data", samples}})},
        {16, false, riff({{"fmt ", fmtBody(false)}, {"data", samples}})},
        {18, false, riff({{"LIST", "abc"}, {"fmt ", fmtBody(true)}, {"junk", "1234567"}, {"data", samples}})},
    };
    for (const auto &[fmtSize, fact, image] : layouts) {
        SCOPED_TRACE(testing::Message() << fmtSize << (fact ? " with fact" : " without fact"));
        const auto wav = parseWav(image);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->samples, samples);
        EXPECT_EQ(std::tuple(wav->fmtChunkSize, wav->hasFact, wav->sampleRate, wav->bitsPerSample),
                  std::tuple(fmtSize, fact, 22050u, 8));
        EXPECT_DOUBLE_EQ(wav->seconds(), 301.0 / 22050);
    }
}

TEST(WavImage, RejectsBrokenImages)
{
    const QByteArray good = gameWav(QByteArray(100, char(0x80)));
    QByteArray notWave = good, huge = good;
    notWave.replace(8, 4, "AVI ");
    qToLittleEndian<quint32>(0xfffffff0u, huge.data() + huge.indexOf("data") + 4); // data past the buffer
    const QByteArray noData = riff({{"fmt ", fmtBody(true)}}), noFmt = riff({{"data", "0123456789"}});
    int i = 0;
    for (const QByteArray &image : {QByteArray(), good.left(40), notWave, huge, noData, noFmt})
        EXPECT_FALSE(parseWav(image).has_value()) << "image " << i++;
}
