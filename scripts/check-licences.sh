#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file says who holds its copyright and under which licence (REUSE). In
# an unpacked release, without git to tell the build folders apart, reuse
# looks at a copy without them.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -e .git ] && exec reuse --root . lint
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
tar -c --exclude='./build*' --exclude=./shots . | tar -x -C "$copy" && reuse --root "$copy" lint
