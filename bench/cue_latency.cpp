// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long a cue takes from the play call until the audio device takes its
// first samples. Run under any SDL audio driver; prints one figure a line.

#include "bench_wav.h"
#include "sdl_cue_player.h"

#include <QCoreApplication>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Time until the device has pulled samples of the sound just asked for: the
// player's thread hands it over, then the device takes it.
double startLatencyMs(SdlCuePlayer &player, const QByteArray &wav, int samples)
{
    const quint64 before = player.played();
    const auto start = Clock::now();
    player.play(wav);
    while (player.played() == before || SDL_GetQueuedAudioSize(player.device()) >= Uint32(samples)) {
        if (Clock::now() - start > std::chrono::seconds(1))
            break;
        std::this_thread::yield(); // the player's thread needs a core too; the game's waits for events
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int samples = 11025; // half a second
    const QByteArray wav = benchWav(samples);
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
