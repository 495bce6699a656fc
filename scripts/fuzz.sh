#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang++ (ASan, UBSan) into build-fuzz/ and
# runs each for SECONDS (30) on a scratch copy of its seeds in tests/fuzz/, or
# on the corpus kept in FUZZ_CORPUS/<target> (seeded the first time). A crash,
# a sanitizer report or a failed property fails it; the input is kept in
# build-fuzz/artifacts/ (replay: build-fuzz/tests/fuzz/<target> <input>), the
# output in build-fuzz/logs/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }
case $(realpath -m "${FUZZ_CORPUS:-/}")/ in "$PWD"/tests/*) echo "FUZZ_CORPUS must lie outside tests/" >&2; exit 2 ;; esac
targets=(board_fuzz wav_fuzz)
scripts/install-deps.sh --test
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVASEL_FUZZ=ON \
  -DTOVASEL_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
# Scratch corpora on tmpfs where there is one.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tovasel-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
logs=$PWD/build-fuzz/logs && mkdir -p build-fuzz/artifacts "$logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
  local t=$1 name=${1%_fuzz} corpus=$scratch/$1/corpus
  [ -z "${FUZZ_CORPUS:-}" ] || corpus=$(realpath -m "$FUZZ_CORPUS")/$t
  [ -d "$corpus" ] || { mkdir -p "$corpus" && cp tests/fuzz/"$name"_corpus/* "$corpus"/; }
  mkdir -p "$scratch/$t/tmp"
  if TMPDIR=$scratch/$t/tmp build-fuzz/tests/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=256 -dict=tests/fuzz/"$name".dict -artifact_prefix="$PWD/build-fuzz/artifacts/$t-" \
    -print_final_stats=1 "$corpus" >"$logs/$t.log" 2>&1; then echo 0; else echo $?; fi >"$logs/$t.status"
}
for t in "${targets[@]}"; do run "$t" & [ "$(nproc)" -ge 2 ] || wait; done # side by side on two cores
wait
failed=0
for t in "${targets[@]}"; do
  runs=$(grep -o 'Done [0-9]* runs' "$logs/$t.log" | tail -n1 | cut -d' ' -f2 || true)
  if [ "$(cat "$logs/$t.status")" = 0 ] && [ -n "$runs" ]; then
    echo "$t: $runs executions in $seconds s, $(grep -E '^#[0-9]+' "$logs/$t.log" | tail -n1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+')"
  else
    failed=1 && echo "$t: FAILED (exit $(cat "$logs/$t.status")) after ${runs:-?} executions" >&2
    grep -vE '^#[0-9]+|^INFO:|^"|^0x|^Base64:' "$logs/$t.log" | cut -c1-300 | tail -n 60 >&2 || true
  fi
done
exit "$failed"
