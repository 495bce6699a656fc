// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cue_player.h"

CuePlayer::~CuePlayer() = default;
