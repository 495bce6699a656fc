// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cue_player.h"

#include <QByteArrayList>

// Records in order what was played; lengths that tell the sounds apart.
struct RecordingPlayer : CuePlayer
{
    QByteArrayList record;

    static std::chrono::milliseconds length(const QByteArray &wav)
    {
        return std::chrono::milliseconds(wav.size() / 22);
    }
    std::chrono::milliseconds play(const QByteArray &wav) override
    {
        record << wav;
        return length(wav);
    }
    QByteArray last() const { return record.value(record.size() - 1); }
};
