#include "sdl_cue_player.h"
#include "wav_builder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A recognisable run of samples: a ramp that never touches silence (128).
QByteArray pattern(int count, int seed)
{
    QByteArray s(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        s[i] = char(129 + (i * 7 + seed) % 120);
    return s;
}

// Each test gets a player on SDL's disk driver, which writes what the device
// is given to a file.
class DiskPlayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        output = dir.filePath("out.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", output.toLocal8Bit());
        player = std::make_unique<SdlCuePlayer>();
    }
    void TearDown() override { qputenv("SDL_AUDIODRIVER", "dummy"); }

    QByteArray deviceOutput()
    {
        player.reset(); // closing the device flushes the file
        QFile f(output);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString output;
    std::unique_ptr<SdlCuePlayer> player;
};

} // namespace

TEST_F(DiskPlayer, DeviceReceivesTheSoundsSamples)
{
    const QByteArray samples = pattern(4410, 0);
    player->play(gameWav(samples), true);
    EXPECT_NE(player->device(), 0u);
    const QByteArray out = deviceOutput();
    EXPECT_TRUE(out.contains(samples));
    // Around the sound the device hears silence, nothing else.
    const QByteArray rest = QByteArray(out).replace(samples, "");
    EXPECT_EQ(rest.count(char(0x80)), rest.size());
}

TEST_F(DiskPlayer, NewSoundCutsOffTheOldOne)
{
    const QByteArray longSound = pattern(22050 * 2, 3);
    const QByteArray shortSound = QByteArray(2205, char(0x20));
    player->play(gameWav(longSound), false);
    player->play(gameWav(shortSound), true);
    const QByteArray out = deviceOutput();
    EXPECT_TRUE(out.contains(shortSound));
    EXPECT_FALSE(out.contains(longSound.left(22050))) << "the first sound played on";
    // What came of the first sound all lies before the second.
    EXPECT_LT(out.lastIndexOf(longSound.left(64)), out.indexOf(shortSound));
}

TEST_F(DiskPlayer, WaitingCallReturnsOnlyAfterTheSound)
{
    const QByteArray samples = pattern(22050 * 3 / 10, 1); // 0.3 s
    QElapsedTimer clock;
    clock.start();
    player->play(gameWav(samples), true);
    EXPECT_GE(clock.elapsed(), 300);
    clock.restart();
    player->play(gameWav(samples), false);
    EXPECT_LT(clock.elapsed(), 300) << "an asynchronous call must not hold";
}

TEST_F(DiskPlayer, IgnoresImagesItCannotRead)
{
    QElapsedTimer clock;
    clock.start();
    player->play(QByteArray("not a wave"), true);
    player->play(QByteArray(), true);
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(player->device(), 0u) << "nothing to play, so no device was needed";
}

TEST(SilentPlayer, HoldsForTheSoundsLengthWithoutAnyAudioDriver)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    {
        SdlCuePlayer player;
        QElapsedTimer clock;
        clock.start();
        player.play(gameWav(pattern(22050 / 4, 2)), true); // 0.25 s
        EXPECT_GE(clock.elapsed(), 250);
        EXPECT_EQ(player.device(), 0u);
        player.play(gameWav(pattern(100, 2)), false); // no crash, no error
    }
    qputenv("SDL_AUDIODRIVER", "dummy");
}
