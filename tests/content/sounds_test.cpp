// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "cue_samples.h"
#include "sdl_cue_player.h"
#include "wav_image.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <thread>

namespace {

// Small WAV images built in memory for the player and parser tests.
template <typename T> QByteArray le(T v)
{
    QByteArray b(sizeof v, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

// An 18-byte "fmt " body; block align and byte rate follow from the rest unless given.
QByteArray fmtBody(quint16 tag = 1, quint16 channels = 1, quint32 rate = 22050, quint16 bits = 8,
                   int align = -1, qint64 byteRate = -1)
{
    align = align >= 0 ? align : channels * bits / 8;
    return le(tag) + le(channels) + le(rate) + le(quint32(byteRate >= 0 ? byteRate : rate * align)) +
           le(quint16(align)) + le(bits) + QByteArray(2, '\0');
}

// Chunks as id and body; odd-sized ones are padded to an even length.
QByteArray riff(const QList<std::pair<QByteArray, QByteArray>> &chunks)
{
    QByteArray body = "WAVE";
    for (const auto &[id, chunk] : chunks)
        body += id + le(quint32(chunk.size())) + chunk + QByteArray(chunk.size() % 2, '\0');
    return "RIFF" + le(quint32(body.size())) + body;
}

// The game's usual layout: fmt, fact, data.
QByteArray gameWav(const QByteArray &samples, const QByteArray &fmt = fmtBody())
{
    return riff({{"fmt ", fmt}, {"fact", le(quint32(samples.size()))}, {"data", samples}});
}

// A recognisable run of at least `count` samples that never touches silence (128).
QByteArray ramp(int count)
{
    return QByteArray::fromHex("818890979ea5acb3").repeated((count + 7) / 8);
}

} // namespace

// The device is opened in the format of the built-in sounds, so they reach it
// as recorded: a word lasts about 0.75 s, the cheer 5.25 s.
TEST(Sounds, EveryCueIsInTheFormatTheDeviceIsOpenedIn)
{
    using namespace content;
    const SDL_AudioSpec device = cueDeviceSpec(SdlCuePlayer::BufferSamples);
    QList<std::pair<int, double>> cues{
        {MissSound, 0.27}, {HitSound, 0.36}, {CheerSound, 5.25}, {NoPlaceSound, 0.45}};
    for (int word = 0; word < 20; ++word)
        cues.append({wordSound(1 + word / 10, word % 10), 0.75});
    for (const auto &[n, seconds] : cues) {
        SCOPED_TRACE(testing::Message() << "sound " << n);
        const auto wav = parseWav(sound(n));
        ASSERT_TRUE(wav.has_value()) << "it does not parse";
        EXPECT_EQ(device.format, sdlSampleFormat(wav->bitsPerSample)) << "another sample format";
        EXPECT_EQ(device.channels, wav->channels) << "other channels";
        EXPECT_EQ(device.freq, int(wav->sampleRate)) << "another rate";
        EXPECT_EQ(cueSamples(sound(n)), wav->samples) << "it is not handed over as recorded";
        EXPECT_NEAR(double(wav->samples.size()) / CueDeviceRate, seconds, seconds * 0.2) << "another length";
    }
    EXPECT_TRUE(sound(NoPlaceSound + 1).isEmpty()) << "a sound past the last";
}

// Chunks it does not know, odd-sized or not, are skipped. Images that are
// broken (cut short, mislabelled, a chunk missing, past the end or too
// short), in another format, longer than a minute or with a header that
// disagrees with itself do not reach the device.
TEST(CueSamples, TakesOnlyConsistentPlainPcm)
{
    const QByteArray minute(CueMaxSeconds * CueDeviceRate, char(0x90)), good = gameWav(minute.left(300));
    EXPECT_EQ(cueSamples(gameWav(minute)), minute) << "a minute refused";
    EXPECT_EQ(cueSamples(riff({{"LIST", "abc"}, {"fmt ", fmtBody()}, {"junk", "1234567"}, {"data", "xyz"}})),
              "xyz")
        << "other chunks stopped the walk";
    EXPECT_FALSE(parseWav(riff({{"fmt ", fmtBody().left(14)}, {"data", "0123"}})))
        << "a short fmt chunk parsed";
    QList<QByteArray> refused = {"RIFF",
                                 good.chopped(1),
                                 QByteArray(good).replace(8, 4, "AVI "),
                                 QByteArray(good).replace(good.indexOf("data") + 4, 4, le(0xfffffff0u)),
                                 riff({{"fmt ", fmtBody()}}),
                                 riff({{"data", "0123456789"}}),
                                 gameWav(minute + 'x')};
    // tag, channels, rate, bits, block align, byte rate
    for (const QByteArray &fmt :
         {fmtBody(3, 1, 22050, 16), fmtBody(1, 0), fmtBody(1, 3), fmtBody(1, 1, 22050, 12),
          fmtBody(1, 2, 22050, 24), fmtBody(1, 1, CueMinRate - 1), fmtBody(1, 1, CueMaxRate + 1),
          fmtBody(1, 1, 22050, 8, 2), fmtBody(1, 1, 22050, 8, 1, 44100)})
        refused.append(gameWav(minute.left(300), fmt));
    for (const QByteArray &image : refused)
        EXPECT_TRUE(cueSamples(image).isEmpty()) << "taken: " << image.left(60).toHex().toStdString();
}

using std::chrono::milliseconds;

// SDL's disk driver writes what the device is given to a file. The test
// waits for each sound's length where the game would.
TEST(SdlCuePlayer, ReturnsTheLengthAtOnceAndNewSoundCuts)
{
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("out.raw").toLocal8Bit());
    const QByteArray first = ramp(22050 * 3 / 10), longSound = ramp(22050 * 2), last(2205, char(0x20));
    {
        SdlCuePlayer player;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(player.play(QByteArray("not a wave")), milliseconds(0)) << "a sound that cannot play lasts";
        EXPECT_EQ(player.device(), 0u) << "a sound that cannot play opened the device";
        // A sound asked for while the device still opens is dropped once its
        // time is over: on a busy machine the first one would be.
        player.play(gameWav(QByteArray(22, char(0x80))));
        while (player.device() == 0 && clock.elapsed() < 10000)
            std::this_thread::sleep_for(milliseconds(5));
        clock.restart();
        const milliseconds length = player.play(gameWav(first));
        EXPECT_LT(clock.elapsed(), 300) << "the call waited for its sound";
        // 6616 samples last 300.05 ms: the caller waits the whole of them.
        EXPECT_EQ(length, milliseconds(301)) << "the first sound's length";
        std::this_thread::sleep_for(length - milliseconds(clock.elapsed()));
        player.play(gameWav(longSound));
        std::this_thread::sleep_for(player.play(gameWav(last)));
        // The device takes a buffer or so longer.
        std::this_thread::sleep_for(milliseconds(300));
    } // closing the device flushes the file
    qputenv("SDL_AUDIODRIVER", "dummy");
    QFile file(dir.filePath("out.raw"));
    const QByteArray out = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype at = out.indexOf(first), end = out.indexOf(last) + last.size();
    ASSERT_GE(at, 0) << "the first sound did not reach the device as it was recorded";
    ASSERT_GT(end, at) << "the last sound did not follow it";
    EXPECT_EQ(out.left(at) + out.mid(end), QByteArray(at + out.size() - end, char(0x80)))
        << "something but silence before the first sound or after the last";
    EXPECT_FALSE(out.contains(longSound.left(22050))) << "the long sound played on";
    EXPECT_LT(out.lastIndexOf(longSound.left(64)), end - last.size()) << "the long sound came after the last";
}

TEST(SdlCuePlayer, NoDriverStillTimesAndRetriesEachSecond)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlCuePlayer player;
    std::this_thread::sleep_for(player.play(gameWav(ramp(22050 / 4))));
    // A driver that comes up is not tried at the next sound, but at the
    // first one a second after the failed attempt.
    qputenv("SDL_AUDIODRIVER", "dummy");
    std::this_thread::sleep_for(player.play(gameWav(ramp(22050 * 4 / 5)))); // to 1.05 s
    EXPECT_EQ(player.device(), 0u) << "a driver was tried again within the second";
    player.play(gameWav(ramp(100)));
    QElapsedTimer opening; // on the player's own thread
    opening.start();
    while (player.device() == 0 && opening.elapsed() < 2000)
        std::this_thread::sleep_for(milliseconds(5));
    EXPECT_NE(player.device(), 0u) << "no driver was tried after the second";
}
