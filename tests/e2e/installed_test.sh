#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The packaged program, unpacked into a scratch root and played by an
# ordinary user: it starts, and the board lives in the user's data folder.
set -euo pipefail
binary=$1
source=$2
exec "$source/scripts/check-deb.sh" "$(cd "$(dirname "$binary")/.." && pwd)"
