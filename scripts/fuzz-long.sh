#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A deeper fuzz run: SECONDS a target (default 600), with each target's corpus
# kept in build-fuzz/corpus/ so that the next run starts where this one ended.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_CORPUS=${FUZZ_CORPUS:-$PWD/build-fuzz/corpus} exec scripts/fuzz.sh "${1:-600}"
