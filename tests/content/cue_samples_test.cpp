// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "cue_samples.h"
#include "wav_builder.h"
#include "wav_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A PCM header; block align and byte rate follow from the rest unless given.
struct Header
{
    quint16 tag = 1;
    quint16 channels = 1;
    quint32 rate = 22050;
    quint16 bits = 8;
    int blockAlign = -1;
    qint64 byteRate = -1;
};

QByteArray fmtOf(const Header &h)
{
    const quint16 align = h.blockAlign >= 0 ? quint16(h.blockAlign) : quint16(h.channels * h.bits / 8);
    const quint32 byteRate = h.byteRate >= 0 ? quint32(h.byteRate) : h.rate * align;
    QByteArray fmt(16, Qt::Uninitialized);
    qToLittleEndian(h.tag, fmt.data());
    qToLittleEndian(h.channels, fmt.data() + 2);
    qToLittleEndian(h.rate, fmt.data() + 4);
    qToLittleEndian(byteRate, fmt.data() + 8);
    qToLittleEndian(align, fmt.data() + 12);
    qToLittleEndian(h.bits, fmt.data() + 14);
    return fmt;
}

QByteArray wavOf(const Header &h, const QByteArray &data)
{
    return riff({{"fmt ", fmtOf(h)}, {"data", data}});
}

// A steady signal of `seconds` with the left channel at 3/4 and the right at
// 1/4 of full scale, so that the mono mix lies half way up: 192 in 8 bits.
QByteArray steadySignal(const Header &h, double seconds)
{
    QByteArray frame;
    if (h.bits == 8)
        frame = h.channels == 2 ? QByteArray("\xE0\xA0") : QByteArray("\xC0");
    else
        frame = h.channels == 2 ? QByteArray::fromHex("00600020") : QByteArray::fromHex("0040");
    return frame.repeated(qsizetype(h.rate * seconds));
}

} // namespace

TEST(CueSamples, GameSoundsReachTheDeviceUnchanged)
{
    for (int n : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 201, 202,
                  203, 204, 205, 206, 207, 208, 209, 210, 121, 122, 123, 124}) {
        const QByteArray image = content::sound(n);
        const QByteArray samples = cueSamples(image);
        EXPECT_FALSE(samples.isEmpty()) << n;
        EXPECT_EQ(samples, parseWav(image)->samples) << n;
    }
}

TEST(CueSamples, RefusesWhatIsNotPlainPcmWithAHeaderThatAgreesWithItself)
{
    const QByteArray data(2000, char(0x90));
    const QByteArray game = gameWav(data);
    QByteArray cut = game;
    cut.chop(1); // the data chunk runs past the end
    const Header refused[] = {
        {.tag = 3, .bits = 16},        // IEEE float
        {.tag = 2, .bits = 16},        // ADPCM
        {.tag = 0xFFFE, .bits = 16},   // extensible
        {.channels = 0},               // no channels
        {.channels = 3},               // more than stereo
        {.bits = 0},                   // no bits
        {.bits = 4},                   // less than a byte
        {.bits = 12},                  // not a whole byte
        {.channels = 2, .bits = 24},   // wider than 16 bits
        {.bits = 32},                  // wider than 16 bits
        {.rate = 0},                   // no rate
        {.rate = 1},                   // 22050 device samples from each one
        {.rate = CueMinRate - 1},      // below the floor
        {.rate = CueMaxRate + 1},      // above the ceiling
        {.rate = 0xFFFFFFFF},          // nonsense
        {.blockAlign = 2},             // block align for 16 bits, 8 declared
        {.bits = 16, .blockAlign = 1}, // block align for 8 bits, 16 declared
        {.byteRate = 44100},           // byte rate that disagrees
        {.byteRate = 0},               // no byte rate
    };
    for (const Header &h : refused) {
        const QByteArray image = wavOf(h, data);
        ASSERT_TRUE(parseWav(image).has_value());
        EXPECT_TRUE(cueSamples(image).isEmpty()) << h.tag << ' ' << h.channels << ' ' << h.rate << ' '
                                                 << h.bits << ' ' << h.blockAlign << ' ' << h.byteRate;
    }
    for (const QByteArray &image : {QByteArray(), QByteArray("RIFF"), game.left(44), cut, data})
        EXPECT_TRUE(cueSamples(image).isEmpty()) << image.size();
}

// The left and right channels mixed, the format and the rate converted: the
// signal keeps its level and its length in time.
TEST(CueSamples, ConvertsOtherPcmLayoutsToEightBitMonoAtTheDeviceRate)
{
    const struct
    {
        Header header;
        double seconds;
    } cases[] = {
        {{.bits = 16}, 0.5},
        {{.channels = 2}, 0.5},
        {{.channels = 2, .rate = 11025}, 0.5},
        {{.channels = 2, .rate = 44100, .bits = 16}, 0.5},
        {{.rate = CueMinRate}, 0.5},
        {{.rate = CueMaxRate, .bits = 16}, 0.5},
        // Long enough that frames times rate overflows 32 bits.
        {{.channels = 2, .rate = 48000, .bits = 16}, 5},
        {{.rate = CueMinRate}, 15},
    };
    for (const auto &[h, seconds] : cases) {
        SCOPED_TRACE(testing::Message()
                     << h.channels << " x " << h.bits << " bits at " << h.rate << " Hz, " << seconds << " s");
        const QByteArray out = cueSamples(wavOf(h, steadySignal(h, seconds)));
        const double expected = seconds * CueDeviceRate;
        ASSERT_NEAR(out.size(), expected, expected * 0.01);
        // Away from the ends, where the resampler fades in and out.
        const auto middle = out.mid(out.size() / 10, out.size() * 8 / 10);
        const auto [low, high] = std::minmax_element(middle.begin(), middle.end(),
                                                     [](char a, char b) { return quint8(a) < quint8(b); });
        EXPECT_GE(quint8(*low), 190);
        EXPECT_LE(quint8(*high), 194);
    }
}

TEST(CueSamples, DropsAPartFrameAndTakesAtMostAMinute)
{
    // 16 bits at the device rate need no resampling, so the length is exact.
    const Header mono16{.bits = 16}, stereo16{.channels = 2, .bits = 16};
    EXPECT_EQ(cueSamples(wavOf(mono16, QByteArray(2 * 101 + 1, '\0'))).size(), 101);
    EXPECT_EQ(cueSamples(wavOf(stereo16, QByteArray(4 * 101 + 3, '\0'))).size(), 101);
    EXPECT_TRUE(cueSamples(wavOf(mono16, QByteArray(1, '\0'))).isEmpty());

    const Header slowest{.rate = CueMinRate}, game;
    const qsizetype minute = CueMaxSeconds * CueMinRate;
    EXPECT_NEAR(cueSamples(wavOf(slowest, QByteArray(minute, char(0x90)))).size(),
                CueMaxSeconds * CueDeviceRate, CueDeviceRate / 100);
    EXPECT_TRUE(cueSamples(wavOf(slowest, QByteArray(minute + 1, char(0x90)))).isEmpty());
    const QByteArray deviceMinute(CueMaxSeconds * CueDeviceRate, char(0x90));
    EXPECT_EQ(cueSamples(gameWav(deviceMinute)), deviceMinute);
    EXPECT_TRUE(cueSamples(gameWav(deviceMinute + 'x')).isEmpty());
}
