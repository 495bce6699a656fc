// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sdl_cue_player.h"
#include "wav_builder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A recognisable run of samples: a ramp that never touches silence (128).
static QByteArray pattern(int count)
{
    QByteArray s(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        s[i] = char(129 + i * 7 % 120);
    return s;
}

// Each test gets a player on SDL's disk driver, which writes what the device
// is given to a file, and a running clock.
class Player : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", dir.filePath("out.raw").toLocal8Bit());
        player = std::make_unique<SdlCuePlayer>();
        clock.start();
    }
    void TearDown() override { qputenv("SDL_AUDIODRIVER", "dummy"); }

    QByteArray deviceOutput()
    {
        player.reset(); // closing the device flushes the file
        QFile f(dir.filePath("out.raw"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    std::unique_ptr<SdlCuePlayer> player;
    QElapsedTimer clock;
};

TEST_F(Player, WaitingCallHoldsForTheSoundWhileTheDeviceReceivesIt)
{
    player->play(QByteArray("not a wave"), true); // ignored at once, and needs no device
    player->play(QByteArray(), true);
    QByteArray slow = gameWav(pattern(22050)); // a second of samples, declared at 1 Hz
    qToLittleEndian<quint32>(1, slow.data() + 24);
    qToLittleEndian<quint32>(1, slow.data() + 28);
    player->play(slow, true);
    EXPECT_LT(clock.restart(), 200);
    EXPECT_EQ(player->device(), 0u);
    const QByteArray samples = pattern(22050 * 3 / 10); // 0.3 s
    player->play(gameWav(samples), true);
    EXPECT_GE(clock.elapsed(), 300);
    const QByteArray out = deviceOutput();
    EXPECT_TRUE(out.contains(samples));
    // Around the sound the device hears silence, nothing else.
    const QByteArray rest = QByteArray(out).replace(samples, "");
    EXPECT_EQ(rest.count(char(0x80)), rest.size());
}

TEST_F(Player, NewSoundCutsOffTheOldOneAndAnAsynchronousCallDoesNotHold)
{
    const QByteArray longSound = pattern(22050 * 2), shortSound = QByteArray(2205, char(0x20));
    player->play(gameWav(longSound), false);
    EXPECT_LT(clock.elapsed(), 300);
    player->play(gameWav(shortSound), true);
    const QByteArray out = deviceOutput();
    EXPECT_TRUE(out.contains(shortSound));
    EXPECT_FALSE(out.contains(longSound.left(22050))) << "the first sound played on";
    // What came of the first sound all lies before the second.
    EXPECT_LT(out.lastIndexOf(longSound.left(64)), out.indexOf(shortSound));
}

TEST_F(Player, WithoutAnyAudioDriverAWaitingCallStillHoldsAndADriverIsTriedOnceASecond)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    player = std::make_unique<SdlCuePlayer>();
    clock.restart();
    player->play(gameWav(pattern(22050 / 4)), true); // 0.25 s
    EXPECT_GE(clock.elapsed(), 250);
    // A driver that comes up is not tried at the next sound, but at the
    // first one a second after the failed attempt.
    qputenv("SDL_AUDIODRIVER", "dummy");
    player->play(gameWav(pattern(22050 * 4 / 5)), true); // to 1.05 s
    EXPECT_EQ(player->device(), 0u);
    player->play(gameWav(pattern(100)), false);
    EXPECT_NE(player->device(), 0u);
}
