// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// How long a sound call takes when the audio device has to be opened: after
// a PulseAudio server restarted, and when it finds no server at all; the
// call itself, and until the player's thread has handed the sound to the
// device. Then how long closing the player takes, with the server running
// and with the server stopped (SIGSTOP). Starts its own server (Debian's
// pulseaudio and pulseaudio-utils) in a private runtime folder; prints one
// figure a line.

#include "bench_wav.h"
#include "sdl_cue_player.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
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
        freeze(false);
        proc_.terminate();
        proc_.waitForFinished();
    }
    // As a stuck output device leaves it: alive, but answering nothing.
    void freeze(bool frozen)
    {
        if (proc_.state() != QProcess::NotRunning)
            kill(pid_t(proc_.processId()), frozen ? SIGSTOP : SIGCONT);
    }
    ~Server() { stop(); }

private:
    QProcess proc_;
};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Milliseconds one asynchronous play call takes.
double playMs(SdlCuePlayer &player, const QByteArray &wav)
{
    const auto start = Clock::now();
    player.play(wav);
    return msSince(start);
}

// Milliseconds from a play call until the sound was handed to the device;
// the call's own time goes to `call`.
double playedMs(SdlCuePlayer &player, const QByteArray &wav, std::vector<double> &call)
{
    const quint64 before = player.played();
    const auto start = Clock::now();
    player.play(wav);
    call.push_back(msSince(start));
    while (player.played() == before && Clock::now() - start < std::chrono::seconds(10))
        QThread::usleep(200);
    return msSince(start);
}

// Milliseconds a player with an open device takes to close.
double closeMs(const QByteArray &wav, Server *frozen = nullptr)
{
    auto player = std::make_unique<SdlCuePlayer>();
    std::vector<double> call;
    playedMs(*player, wav, call);
    if (frozen != nullptr) {
        // Long enough for the device's writes to fill what the server would read.
        frozen->freeze(true);
        QThread::msleep(1000);
    }
    const auto start = Clock::now();
    player.reset();
    const double ms = msSince(start);
    if (frozen != nullptr) {
        // The thread that was left behind ends once the server answers.
        frozen->freeze(false);
        QThread::msleep(1000);
    }
    return ms;
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
    auto owned = std::make_unique<SdlCuePlayer>();
    SdlCuePlayer &player = *owned;
    std::vector<double> firstCall, reopenCall, reopen, lost;
    const double first = playedMs(player, wav, firstCall);
    if (player.device() == 0) {
        std::printf("device-open: the player opened no device on the pulseaudio server\n");
        return 1;
    }

    for (int i = 0; i < rounds; ++i) {
        server.stop();
        server.start();
        reopen.push_back(playedMs(player, wav, reopenCall));
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
        std::vector<double> ignored;
        playedMs(player, wav, ignored);
    }
    server.stop();
    QThread::msleep(300);
    playMs(player, wav);    // lets the device go
    QThread::msleep(retry); // and the player's thread is done with SDL before the driver changes

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

    // Closing is timed on players of their own, on the pulseaudio driver.
    owned.reset();
    qputenv("SDL_AUDIODRIVER", "pulseaudio");
    std::vector<double> closing, closingFrozen;
    if (server.start()) {
        for (int i = 0; i < rounds; ++i)
            closing.push_back(closeMs(wav));
        for (int i = 0; i < rounds; ++i)
            closingFrozen.push_back(closeMs(wav, &server));
    }

    std::printf("device-open-first-call: %.1f ms\n", firstCall[0]);
    std::printf("device-open-first-until-played: %.1f ms\n", first);
    report("device-reopen-after-server-restart-call", reopenCall);
    report("device-reopen-after-server-restart-until-played", reopen);
    report("failed-open-server-just-gone", lost);
    report("failed-open-no-server-pulseaudio", failedPulse);
    report("failed-open-no-server-any-driver", failedAny);
    if (!closing.empty()) {
        report("player-close", closing);
        report("player-close-server-stopped", closingFrozen);
    }
    std::printf("retry-interval: %lld ms\n", static_cast<long long>(SdlCuePlayer::RetryInterval.count()));
    return 0;
}
