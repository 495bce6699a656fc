#include "catalogue.h"
#include "wav_image.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Expected
{
    int number;
    quint32 fmtSize;
    bool fact;
};

QList<Expected> everySound()
{
    QList<Expected> all;
    for (int n : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 201,
                  202, 203, 204, 205, 206, 207, 208, 209, 210, 122, 123})
        all.append({n, 18, true});
    all.append({121, 16, true});
    all.append({124, 16, false});
    return all;
}

} // namespace

TEST(Sounds, EveryCueIsEightBitMono22kWithItsChunkLayout)
{
    for (const Expected &e : everySound()) {
        SCOPED_TRACE(e.number);
        const QByteArray bytes = content::sound(e.number);
        ASSERT_FALSE(bytes.isEmpty());
        const auto wav = parseWav(bytes);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->formatTag, 1);
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->sampleRate, 22050u);
        EXPECT_EQ(wav->byteRate, 22050u);
        EXPECT_EQ(wav->blockAlign, 1);
        EXPECT_EQ(wav->bitsPerSample, 8);
        EXPECT_EQ(wav->fmtChunkSize, e.fmtSize);
        EXPECT_EQ(wav->hasFact, e.fact);
        // The chunks come in the order fmt, [fact], data.
        const qsizetype fmt = bytes.indexOf("fmt "), data = bytes.indexOf("data");
        EXPECT_EQ(fmt, 12);
        if (e.fact) {
            const qsizetype fact = bytes.indexOf("fact");
            EXPECT_GT(fact, fmt);
            EXPECT_LT(fact, data);
        }
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));
    }
}

TEST(Sounds, WordRecordingsLastBetweenSixAndNineTenths)
{
    for (int figure = 1; figure <= 2; ++figure) {
        for (int w = 0; w < 10; ++w) {
            const int n = content::wordSound(figure, w);
            SCOPED_TRACE(n);
            const auto wav = parseWav(content::sound(n));
            ASSERT_TRUE(wav.has_value());
            EXPECT_GE(wav->seconds(), 0.6);
            EXPECT_LE(wav->seconds(), 0.9);
            // Not silence: a real recording swings well away from 128.
            int peak = 0;
            for (char c : wav->samples)
                peak = qMax(peak, qAbs(int(quint8(c)) - 128));
            EXPECT_GT(peak, 60);
        }
    }
}

TEST(Sounds, EffectsHaveTheirLengths)
{
    const std::pair<int, double> lengths[] = {{121, 0.27}, {122, 0.36}, {123, 5.25}, {124, 0.45}};
    for (auto [n, seconds] : lengths) {
        SCOPED_TRACE(n);
        const auto wav = parseWav(content::sound(n));
        ASSERT_TRUE(wav.has_value());
        EXPECT_NEAR(wav->seconds(), seconds, seconds * 0.15);
    }
}

TEST(Sounds, UnknownNumbersGiveNothing)
{
    EXPECT_TRUE(content::sound(125).isEmpty());
    EXPECT_TRUE(content::sound(0).isEmpty());
}
