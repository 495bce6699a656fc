// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "cue_samples.h"
#include "sdl_cue_player.h"
#include "wav_builder.h"
#include "wav_image.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

// Every built-in sound is 8-bit mono 22050 Hz PCM, which reaches the device
// unchanged, with an 18-byte fmt and a fact chunk but for 121 (16-byte fmt)
// and 124 (16-byte fmt, no fact). All are audible.
TEST(Sounds, EveryCueIsEightBitMono22kWithItsLayoutAndLength)
{
    using namespace content;
    for (int n : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 201, 202,
                  203, 204, 205, 206, 207, 208, 209, 210, 121, 122, 123, 124}) {
        SCOPED_TRACE(n);
        const QByteArray bytes = sound(n);
        const auto wav = parseWav(bytes);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(std::tuple(wav->formatTag, wav->channels, wav->sampleRate, wav->byteRate, wav->blockAlign,
                             wav->bitsPerSample, wav->fmtChunkSize, wav->hasFact),
                  std::tuple(1, 1, 22050u, 22050u, 1, 8, n == 121 || n == 124 ? 16u : 18u, n != 124));
        EXPECT_EQ(cueSamples(bytes), wav->samples);
        const double seconds = QMap<int, double>{
            {MissSound, 0.27},
            {HitSound, 0.36},
            {CheerSound, 5.25},
            {NoPlaceSound, 0.45}}.value(n, 0.75 /* a word */);
        EXPECT_NEAR(wav->seconds(), seconds, seconds * 0.2);
        const auto [low, high] = std::minmax_element(wav->samples.begin(), wav->samples.end(),
                                                     [](char a, char b) { return quint8(a) < quint8(b); });
        EXPECT_GT(std::max(128 - quint8(*low), quint8(*high) - 128), 50) << "silence";
    }
    EXPECT_TRUE(sound(125).isEmpty() && sound(0).isEmpty());
}

// Chunks it does not know, odd-sized or not, are skipped; broken images (cut
// short, mislabelled, a chunk missing, past the end or too short) are
// neither parsed nor played.
TEST(WavImage, SkipsOtherChunksAndRefusesBrokenImages)
{
    const QByteArray samples(300, char(0x90)), good = gameWav(samples);
    const auto wav =
        parseWav(riff({{"LIST", "abc"}, {"fmt ", fmtBody()}, {"junk", "1234567"}, {"data", samples}}));
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(std::tuple(wav->samples, wav->sampleRate), std::tuple(samples, 22050u));
    int i = 0;
    for (const QByteArray &image :
         {QByteArray(), QByteArray("RIFF"), good.left(40), good.chopped(1),
          QByteArray(good).replace(8, 4, "AVI "),
          QByteArray(good).replace(good.indexOf("data") + 4, 4, le(0xfffffff0u)), riff({{"fmt ", fmtBody()}}),
          riff({{"data", "0123456789"}}), riff({{"fmt ", fmtBody().left(14)}, {"data", "0123"}})}) {
        SCOPED_TRACE(i++);
        EXPECT_FALSE(parseWav(image).has_value());
        EXPECT_TRUE(cueSamples(image).isEmpty());
    }
}

TEST(CueSamples, TakesPlainPcmUpToAMinuteWithAHeaderThatAgreesWithItself)
{
    const QByteArray minute(CueMaxSeconds * CueDeviceRate, char(0x90));
    EXPECT_EQ(cueSamples(gameWav(minute)), minute);
    EXPECT_TRUE(cueSamples(gameWav(minute + 'x')).isEmpty());
    int row = 0;
    // tag, channels, rate, bits, block align, byte rate
    for (const QByteArray &fmt :
         {fmtBody(3, 1, 22050, 16), fmtBody(0xFFFE, 1, 22050, 16), fmtBody(1, 0), fmtBody(1, 3),
          fmtBody(1, 1, 22050, 0), fmtBody(1, 1, 22050, 12), fmtBody(1, 2, 22050, 24), fmtBody(1, 1, 0),
          fmtBody(1, 1, CueMinRate - 1), fmtBody(1, 1, CueMaxRate + 1), fmtBody(1, 1, 22050, 8, 2),
          fmtBody(1, 1, 22050, 16, 1), fmtBody(1, 1, 22050, 8, 1, 44100), fmtBody(1, 1, 22050, 8, 1, 0)})
        EXPECT_TRUE(cueSamples(gameWav(minute.left(2000), fmt)).isEmpty()) << "row " << row++;
}

// A recognisable run of at least `count` samples that never touches silence (128).
static QByteArray ramp(int count)
{
    return QByteArray::fromHex("818890979ea5acb3").repeated((count + 7) / 8);
}

// SDL's disk driver writes what the device is given to a file.
TEST(SdlCuePlayer, WaitingCallHoldsForItsSoundAndANewSoundCutsOffTheOldOne)
{
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("out.raw").toLocal8Bit());
    const QByteArray first = ramp(22050 * 3 / 10), longSound = ramp(22050 * 2), last(2205, char(0x20));
    {
        SdlCuePlayer player;
        QElapsedTimer clock;
        clock.start();
        player.play(QByteArray("not a wave"), true); // ignored at once, and needs no device
        EXPECT_EQ(player.device(), 0u);
        EXPECT_LT(clock.restart(), 200);
        player.play(gameWav(first), true);
        EXPECT_GE(clock.restart(), 300);
        player.play(gameWav(longSound), false);
        EXPECT_LT(clock.elapsed(), 300);
        player.play(gameWav(last), true);
        // The hold ends by the clock; the device takes a buffer or so longer.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } // closing the device flushes the file
    qputenv("SDL_AUDIODRIVER", "dummy");
    QFile file(dir.filePath("out.raw"));
    const QByteArray out = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype at = out.indexOf(first), end = out.indexOf(last) + last.size();
    ASSERT_TRUE(at >= 0 && end > at);
    EXPECT_EQ(out.left(at).count(char(0x80)) + out.mid(end).count(char(0x80)), at + out.size() - end)
        << "anything but silence before and after";
    EXPECT_FALSE(out.contains(longSound.left(22050))) << "the long sound played on";
    EXPECT_LT(out.lastIndexOf(longSound.left(64)), end - last.size());
}

TEST(SdlCuePlayer, WithoutAnyAudioDriverAWaitingCallStillHoldsAndADriverIsTriedOnceASecond)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlCuePlayer player;
    QElapsedTimer clock;
    clock.start();
    player.play(gameWav(ramp(22050 / 4)), true); // 0.25 s
    EXPECT_GE(clock.elapsed(), 250);
    // A driver that comes up is not tried at the next sound, but at the
    // first one a second after the failed attempt.
    qputenv("SDL_AUDIODRIVER", "dummy");
    player.play(gameWav(ramp(22050 * 4 / 5)), true); // to 1.05 s
    EXPECT_EQ(player.device(), 0u);
    player.play(gameWav(ramp(100)), false);
    QElapsedTimer opening; // on the player's own thread
    opening.start();
    while (player.device() == 0 && opening.elapsed() < 2000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NE(player.device(), 0u);
}
