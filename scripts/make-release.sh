#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the source release, tovasel-VERSION.tar.gz, from the committed tree
# (HEAD), with the version CMakeLists.txt gives.
#
#   scripts/make-release.sh [OUT_DIR]   (default: the current folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-.}" && pwd)
version=$(git -C "$root" show HEAD:CMakeLists.txt | sed -n 's/^project(tovasel VERSION \([0-9.]*\) .*/\1/p')
[ -n "$version" ] || { echo "make-release: no version in CMakeLists.txt" >&2; exit 1; }
git -C "$root" diff --quiet HEAD -- || echo "make-release: uncommitted changes are left out" >&2
git -C "$root" archive --format=tar.gz --prefix="tovasel-$version/" -o "$out/tovasel-$version.tar.gz" HEAD
echo "$out/tovasel-$version.tar.gz"
