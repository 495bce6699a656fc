// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// How long a sound call takes when it has to open the audio device: after
// a PulseAudio server restarted, and when it finds no server at all. Starts
// its own server (Debian's pulseaudio and pulseaudio-utils) in a private
// runtime folder; prints one figure a line.

#include "bench_wav.h"
#include "sdl_cue_player.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool quietly(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

class Server
{
public:
    bool start()
    {
        proc_.setStandardOutputFile(QProcess::nullDevice());
        proc_.setStandardErrorFile(QProcess::nullDevice());
        proc_.start("pulseaudio",
                    {"--daemonize=no", "--exit-idle-time=-1", "-n", "--load=module-null-sink sink_name=kid",
                     "--load=module-native-protocol-unix"});
        for (int i = 0; i < 100 && proc_.state() != QProcess::NotRunning; ++i) {
            if (quietly("pactl", {"info"}))
                return quietly("pactl", {"set-default-sink", "kid"});
            QThread::msleep(50);
        }
        return false;
    }
    void stop()
    {
        proc_.terminate();
        proc_.waitForFinished();
    }
    ~Server() { stop(); }

private:
    QProcess proc_;
};

// Milliseconds one asynchronous play call takes.
double playMs(SdlCuePlayer &player, const QByteArray &wav)
{
    const auto start = std::chrono::steady_clock::now();
    player.play(wav, false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(const char *name, std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    std::printf("%s-median: %.1f ms\n", name, runs[runs.size() / 2]);
    std::printf("%s-max: %.1f ms\n", name, runs.back());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir runtime; // mode 0700, as the server wants it
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("HOME", runtime.path().toLocal8Bit());
    qputenv("SDL_AUDIODRIVER", "pulseaudio");
    const QByteArray wav = benchWav(2205);
    const int rounds = 7;
    const auto retry =
        std::chrono::duration_cast<std::chrono::milliseconds>(SdlCuePlayer::RetryInterval).count() + 50;

    Server server;
    if (!server.start()) {
        std::printf("device-open: no pulseaudio server could be started\n");
        return 1;
    }
    SdlCuePlayer player;
    const double first = playMs(player, wav);
    if (player.device() == 0) {
        std::printf("device-open: the player opened no device on the pulseaudio server\n");
        return 1;
    }

    std::vector<double> reopen, lost;
    for (int i = 0; i < rounds; ++i) {
        server.stop();
        server.start();
        reopen.push_back(playMs(player, wav));
        if (player.device() == 0) {
            std::printf("device-reopen: the device was not opened again after a restart\n");
            return 1;
        }
        // The next sound finds the server gone.
        QThread::msleep(300);
        server.stop();
        QThread::msleep(300);
        lost.push_back(playMs(player, wav));
        server.start();
        QThread::msleep(retry);
        playMs(player, wav);
    }
    server.stop();
    QThread::msleep(300);
    playMs(player, wav); // lets the device go

    // Attempts that find no server; the player lets a second pass between them.
    auto failed = [&](const char *driver) {
        qputenv("SDL_AUDIODRIVER", driver);
        std::vector<double> runs;
        for (int i = 0; i < rounds; ++i) {
            QThread::msleep(retry);
            runs.push_back(playMs(player, wav));
        }
        return runs;
    };
    const std::vector<double> failedPulse = failed("pulseaudio"), failedAny = failed("");

    std::printf("device-open-first: %.1f ms\n", first);
    report("device-reopen-after-server-restart", reopen);
    report("failed-open-server-just-gone", lost);
    report("failed-open-no-server-pulseaudio", failedPulse);
    report("failed-open-no-server-any-driver", failedAny);
    std::printf("retry-interval: %lld ms\n", static_cast<long long>(SdlCuePlayer::RetryInterval.count()));
    return 0;
}
