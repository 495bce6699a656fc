#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds into build/ and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVASEL_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec build/src/tovasel "$@"
