#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on hostile files and machines, under Xvfb with no window
# manager. Each case wins a place (one right answer, two misses): the
# leaderboard must open within a bound, the misses' sound must hold the game,
# the peak memory must stay near the baseline run's (no huge file read in
# whole), the typed name must land in the board, a second game must play and
# the program must end normally, with no sanitizer report in a sanitizer build.
# A game with no audio device says once on stderr that it plays silent.
# Usage: bash hostile_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
binary=$(readlink -f "$1") start_bound=15000 hold_floor=500 baseline_kib= # ms; KiB
xgame_display "$(cd "$2" && pwd)" && xgame_need fc-list setpriv
chmod 755 "$XGAME_TMP" # the read-only case runs the program as another user, as root ignores modes

# no_audio NAME=VALUE...: adds to the program's environment, in which SDL must open no audio device.
no_audio() { XGAME_ENV+=("$@") && env "$@" /usr/bin/python3 "$XGAME_PY" silent 2>/dev/null || xgame_fail "$case: SDL opens audio with $*"; }
read_only() { chmod 555 "$1" && ! "${XGAME_AS[@]}" touch "$1/probe" 2>/dev/null; }

setup() {
    case $case in
    baseline | no_*) xgame_py board 2 0 >"$board" ;;& # two Chinese characters with 0, nine Chinese names with 0
    read_only_folder) # the board goes to the user's data folder
        board=$home/.local/share/tovasel/mirafon1.tmp XGAME_PREPARE=read_only
        [ "$(id -u)" -ne 0 ] || xgame_user 65534 "" "$home" "$dir/sanitizer" ;;
    board_is_folder) mkdir "$board" && echo kept >"$board/inside" ;;
    random_board) xgame_py random 20240501 100 >"$board" ;; # 100 MiB
    long_line) xgame_py board 5000000 5 >"$board" ;; # only its first MiB is to be kept
    long_name) xgame_py board 400000 0 >"$board" ;;  # shown in an 81-pixel label, kept whole
    no_audio_alsa) : >"$dir/alsa.conf" && no_audio SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH="$dir/alsa.conf" ;;
    no_audio_pulse) no_audio SDL_AUDIODRIVER=pulseaudio PULSE_SERVER="unix:$dir/no-server" ;;
    no_cjk_font)
        printf '<?xml version="1.0"?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>%s</cachedir></fontconfig>\n' \
            "$dir/fontconfig" >"$dir/fonts.conf"
        XGAME_ENV+=(FONTCONFIG_FILE="$dir/fonts.conf")
        [ -z "$(FONTCONFIG_FILE="$dir/fonts.conf" fc-list :lang=zh-cn)" ] &&
            [ -n "$(FONTCONFIG_FILE="$dir/fonts.conf" fc-list)" ] || xgame_fail "$case: fonts other than DejaVu's show" ;;
    esac
}

check() {
    case $case in
    board_is_folder)
        [ "$(cat "$board/inside")" = kept ] && [ "$(ls -A "$program" | tr '\n' ' ')" = "mirafon1.tmp tovasel " ] ||
            xgame_fail "$case: the folder in the board's place or its neighbours changed" ;;
    *)
        [ -f "$board" ] && [ "$(tr -cd '\n' <"$board" | wc -c)" -eq 10 ] && [ "$(stat -c %s "$board")" -lt $((2 << 20)) ] &&
            head -c 20 "$board" | grep -aq $'^Tester,[1-9][0-9]*\r$' ||
            xgame_fail "$case: Tester is not first of ten lines in $board: $(head -c 40 "$board" | cat -v)" ;;&
    read_only_folder) [ "$(ls -A "$program")" = tovasel ] || xgame_fail "$case: files written: $(ls -A "$program")" ;;
    no_audio_*) [ "$(grep -c '^tovasel.sound: no audio .*without sound' "$XGAME_LOG")" = 1 ] ||
        xgame_fail "$case: the silent game was not said once on stderr: $(grep -v ALSA "$XGAME_LOG" | head -c 400)" ;;
    long_name) [ "$(sed -n 2p "$board" | wc -c)" -eq 800004 ] || xgame_fail "$case: the long name was not kept whole" ;;
    esac
}

# run_case NAME [MARGIN_MIB [SANITIZED_MARGIN_MIB]]: the peak's margin over the
# baseline's (64); AddressSanitizer's quarantine keeps freed memory resident,
# and a confirmed name reads the board once more.
run_case() {
    case=$1 dir=$XGAME_TMP/$1 margin=${2:-64} program=$XGAME_TMP/$1/program home=$XGAME_TMP/$1/home
    board=$program/mirafon1.tmp XGAME_ENV=() XGAME_AS=() XGAME_PREPARE= XGAME_LOG=$XGAME_TMP/$1/program.log
    mkdir -p "$program" "$home" "$dir/sanitizer" && chmod 755 "$dir" "$program" && chmod 1777 "$dir/sanitizer" && xgame_home "$home"
    ! xgame_sanitized "$binary" "$dir/sanitizer" || margin=${3:-$margin}
    echo "== $case" && setup
    local started=$(date +%s%3N) start_time miss_time peak
    xgame_launch "$binary" "$program" && xgame_game yes
    miss_time=$(($(date +%s%3N) - XGAME_MISSED)) start_time=$(($(date +%s%3N) - started))
    kill -0 "$XGAME_PROGRAM_PID" 2>/dev/null || xgame_fail "$case: the program died"
    [ "$start_time" -lt "$start_bound" ] || xgame_fail "$case: the leaderboard took $start_time ms (bound $start_bound ms)"
    [ "$hold_floor" -lt "$miss_time" ] || xgame_fail "$case: two misses took only $miss_time ms: their sound held nothing"
    if [ "$case" = board_is_folder ]; then # no name can be stored there: the window stays to say so
        xgame_refused Tester && xgame_dismiss "$XGAME_BOARD" || xgame_fail "$case: the leaderboard closed over a name not stored"
    else
        xgame_name Tester && xgame_until 30 xgame_gone "$XGAME_BOARD" || xgame_fail "$case: Enter did not close the leaderboard"
    fi
    check && xgame_game # the program still plays
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$XGAME_PROGRAM_PID/status")
    xgame_dismiss "$XGAME_BOARD" || xgame_fail "$case: the leaderboard did not close"
    xgame_quit 30 || xgame_fail "$case: the program did not end when its window closed"
    chmod -R u+w "$program"
    why=$(xgame_clean "$XGAME_LOG" "$dir/sanitizer") || xgame_fail "$case: $why"
    : "${baseline_kib:=$peak}"
    [ "$peak" -le $((baseline_kib + margin * 1024)) ] ||
        xgame_fail "$case: peak memory $((peak >> 10)) MiB, over the baseline's $((baseline_kib >> 10)) + $margin MiB"
    echo "  start to leaderboard $start_time ms, misses $miss_time ms, peak $((peak >> 10)) MiB (baseline $((baseline_kib >> 10)) + $margin)"
}

for c in baseline read_only_folder board_is_folder random_board "long_line 16 48" "long_name 64 128" no_audio_alsa \
    no_audio_pulse no_cjk_font; do run_case $c; done
