#include "wav_builder.h"
#include "wav_image.h"

#include <gtest/gtest.h>

TEST(WavImage, ReadsEachLayoutTheGameShips)
{
    const QByteArray samples(300, char(0x90));
    // 18-byte fmt with fact, 16-byte fmt with fact, 16-byte fmt without fact.
    const QList<QByteArray> images = {
        gameWav(samples),
        riff({{"fmt ", fmtBody(1, 22050, 8, false)}, {"fact", le32Bytes(300)}, {"data", samples}}),
        riff({{"fmt ", fmtBody(1, 22050, 8, false)}, {"data", samples}}),
    };
    const quint32 fmtSizes[] = {18, 16, 16};
    const bool facts[] = {true, true, false};
    for (int i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const auto wav = parseWav(images[i]);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->samples, samples);
        EXPECT_EQ(wav->fmtChunkSize, fmtSizes[i]);
        EXPECT_EQ(wav->hasFact, facts[i]);
        EXPECT_EQ(wav->sampleRate, 22050u);
        EXPECT_EQ(wav->bitsPerSample, 8);
        EXPECT_DOUBLE_EQ(wav->seconds(), 300.0 / 22050);
    }
}

TEST(WavImage, SkipsUnknownAndOddSizedChunks)
{
    const QByteArray samples("\x01\x02\x03", 3);
    const QByteArray image = riff({{"LIST", QByteArray("abc")},
                                   {"fmt ", fmtBody(1, 22050, 8, true)},
                                   {"junk", QByteArray(7, 'x')},
                                   {"data", samples}});
    const auto wav = parseWav(image);
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(wav->samples, samples);
}

TEST(WavImage, RejectsBrokenImages)
{
    const QByteArray good = gameWav(QByteArray(100, char(0x80)));
    EXPECT_FALSE(parseWav({}).has_value());
    EXPECT_FALSE(parseWav(good.left(40)).has_value()) << "data chunk runs past the buffer";
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(parseWav(notWave).has_value());
    EXPECT_FALSE(parseWav(riff({{"fmt ", fmtBody(1, 22050, 8, true)}})).has_value()) << "no data";
    EXPECT_FALSE(parseWav(riff({{"data", QByteArray(10, 'a')}})).has_value()) << "no fmt";
    QByteArray huge = good;
    qToLittleEndian<quint32>(0xfffffff0u, huge.data() + huge.indexOf("data") + 4);
    EXPECT_FALSE(parseWav(huge).has_value());
}
