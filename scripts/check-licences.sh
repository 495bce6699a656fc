#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file of the project says who holds its copyright and under which
# licence it is (REUSE). In a git checkout reuse looks at the tracked files;
# an unpacked release has no git to tell the build folders apart, so reuse
# looks at a copy without them.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -e .git ]; then
  exec reuse --root . lint
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
tar -c --exclude='./build*' --exclude=./shots . | tar -x -C "$copy"
reuse --root "$copy" lint
