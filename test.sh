#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds with warnings as errors and runs every
# test; then builds again under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the tests once more, and fuzzes the board and sound readers for a
# bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --test

jobs=$(nproc)
export DBUS_SESSION_BUS_ADDRESS=disabled:

echo "== format"
scripts/check-format.sh

echo "== licences"
scripts/check-licences.sh

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVASEL_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== build and test under sanitizers"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTOVASEL_WERROR=ON -DTOVASEL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure -j"$jobs" -L 'unit|sanitized')

echo "== fuzz"
scripts/fuzz.sh 30
