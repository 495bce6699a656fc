#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A short game under valgrind's memcheck: no memory may be lost through the
# program's own code (scripts/leak-check.sh). Skipped for a sanitizer build,
# which valgrind cannot run.
# Usage: bash leak_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
if grep -q __asan_init "$1"; then
    echo "skipped: $1 is built with AddressSanitizer"
    exit 77
fi
exec bash "$2/scripts/leak-check.sh" "$(cd "$(dirname "$1")/.." && pwd)"
