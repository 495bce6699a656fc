#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang++ (under ASan and UBSan) into
# build-fuzz/ and runs each for SECONDS (default 30) on a scratch copy of its
# seed corpus in tests/fuzz/, which is never written to. Fails when a target
# crashes, a sanitizer reports or a property check aborts; the input that did
# it is kept in build-fuzz/artifacts/ and replays with
#   build-fuzz/tests/fuzz/<target> build-fuzz/artifacts/<target>-crash-...
# Each target's full libFuzzer output is left in build-fuzz/logs/.
#
#   scripts/fuzz.sh         # 30 s a target, as ./test.sh runs it
#   scripts/fuzz.sh 600     # a deeper run; scripts/fuzz-long.sh keeps its corpus
#
# FUZZ_CORPUS=DIR keeps each target's corpus in DIR/<target> from one run to
# the next (seeded from tests/fuzz/ the first time) instead of a scratch copy.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi
targets=(board_fuzz wav_fuzz)
if [ -n "${FUZZ_CORPUS:-}" ]; then
  FUZZ_CORPUS=$(realpath -m "$FUZZ_CORPUS")
  case $FUZZ_CORPUS/ in
    "$PWD"/tests/*) echo "FUZZ_CORPUS must lie outside tests/: the seeds stay as committed" >&2; exit 2 ;;
  esac
fi

scripts/install-deps.sh --test
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOVASEL_FUZZ=ON -DTOVASEL_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

# The board target writes its files under TMPDIR; on tmpfs the atomic
# replace's sync costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d /dev/shm/tovasel-fuzz.XXXXXX)
else
  scratch=$(mktemp -d)
fi
trap 'rm -rf "$scratch"' EXIT
artifacts=$PWD/build-fuzz/artifacts
logs=$PWD/build-fuzz/logs
mkdir -p "$artifacts" "$logs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
  local target=$1 name=${1%_fuzz} corpus
  if [ -n "${FUZZ_CORPUS:-}" ]; then
    corpus=$FUZZ_CORPUS/$target
    if [ ! -d "$corpus" ]; then
      mkdir -p "$corpus"
      cp tests/fuzz/"$name"_corpus/* "$corpus"/
    fi
  else
    corpus=$scratch/$target/corpus
    mkdir -p "$corpus"
    cp tests/fuzz/"$name"_corpus/* "$corpus"/
  fi
  mkdir -p "$scratch/$target/tmp"
  TMPDIR=$scratch/$target/tmp build-fuzz/tests/fuzz/"$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=256 \
    -dict=tests/fuzz/"$name".dict -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
    "$corpus" >"$logs/$target.log" 2>&1
}

# One process a target, side by side when there are cores for both.
declare -A status
if [ "$(nproc)" -ge 2 ]; then
  declare -A pids
  for t in "${targets[@]}"; do
    run "$t" &
    pids[$t]=$!
  done
  for t in "${targets[@]}"; do
    if wait "${pids[$t]}"; then status[$t]=0; else status[$t]=$?; fi
  done
else
  for t in "${targets[@]}"; do
    if run "$t"; then status[$t]=0; else status[$t]=$?; fi
  done
fi

failed=0
for t in "${targets[@]}"; do
  log=$logs/$t.log
  runs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -n1 | cut -d' ' -f2 || true)
  coverage=$(grep -E '^#[0-9]+' "$log" | tail -n1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+' || true)
  if [ "${status[$t]}" -eq 0 ] && [ -n "$runs" ]; then
    echo "$t: $runs executions in $seconds s, $coverage"
  else
    failed=1
    echo "$t: FAILED (exit ${status[$t]}) after ${runs:-?} executions" >&2
    if [ -f "$log" ]; then
      grep -vE '^#[0-9]+|^INFO:|^"|^0x|^Base64:' "$log" | cut -c1-300 | tail -n 60 >&2 || true
    fi
  fi
done
exit "$failed"
