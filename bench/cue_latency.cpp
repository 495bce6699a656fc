// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long a cue takes from the play call until the audio device takes its
// first samples. Run under any SDL audio driver; prints one figure a line.

#include "sdl_cue_player.h"

#include <QCoreApplication>
#include <QtEndian>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QByteArray wavImage(int samples)
{
    QByteArray data(samples, char(0xa0));
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(1, fmt.data());
    qToLittleEndian<quint16>(1, fmt.data() + 2);
    qToLittleEndian<quint32>(22050, fmt.data() + 4);
    qToLittleEndian<quint32>(22050, fmt.data() + 8);
    qToLittleEndian<quint16>(1, fmt.data() + 12);
    qToLittleEndian<quint16>(8, fmt.data() + 14);
    auto chunk = [](const char *id, const QByteArray &body) {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(quint32(body.size()), size.data());
        return QByteArray(id) + size + body;
    };
    const QByteArray body = "WAVE" + chunk("fmt ", fmt) + chunk("data", data);
    return chunk("RIFF", body);
}

// Time until the device has pulled samples of the sound just queued.
double startLatencyMs(SdlCuePlayer &player, const QByteArray &wav, int samples)
{
    const auto start = Clock::now();
    player.play(wav, false);
    while (SDL_GetQueuedAudioSize(player.device()) >= Uint32(samples)) {
        if (Clock::now() - start > std::chrono::seconds(1))
            break;
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int samples = 11025; // half a second
    const QByteArray wav = wavImage(samples);
    SdlCuePlayer player;

    const double first = startLatencyMs(player, wav, samples);
    if (player.device() == 0) {
        std::printf("cue-start: no audio device (set SDL_AUDIODRIVER=dummy or disk)\n");
        return 1;
    }
    std::vector<double> runs;
    for (int i = 0; i < 60; ++i) {
        // Calls land at arbitrary points of the device's period, as clicks do.
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + (i * 7919) % 20000));
        runs.push_back(startLatencyMs(player, wav, samples));
    }
    std::sort(runs.begin(), runs.end());
    std::printf("cue-start-first (device opening included): %.1f ms\n", first);
    std::printf("cue-start-median: %.1f ms\n", runs[runs.size() / 2]);
    std::printf("cue-start-p95: %.1f ms\n", runs[runs.size() * 95 / 100]);
    std::printf("cue-start-max: %.1f ms\n", runs.back());
    std::printf("device-buffer: %d samples\n", SdlCuePlayer::BufferSamples);
    return 0;
}
