#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on hostile files and machines, under Xvfb. Each case
# starts the program, wins a place (one right answer, then two misses) and
# checks that the leaderboard opens within a time bound, that the program is
# alive and that its peak memory stays near a baseline run's, so that no huge
# file was read into memory; then it types a name, plays a second game and
# closes the program, which must end normally.
#
# The display has no window manager in any case (Xvfb alone, as in every
# test here): windows get no frames, nothing activates or closes them but the
# program and these clicks.
#
# Built with AddressSanitizer, the program must also end each case without a
# sanitizer report, and the memory bound is taken from that binary's own
# baseline run.
#
# Usage: bash hostile_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/xgame.bash"

binary=$(readlink -f "$1")
source=$(cd "$2" && pwd)
for tool in Xvfb xdotool import fc-list setpriv; do
    command -v "$tool" >/dev/null || xgame_fail "$tool is not installed"
done

start_bound=15        # seconds from starting the program to the leaderboard
memory_margin=$((64 * 1024)) # KiB over the baseline's peak, unless a case sets margin
hold_floor=0.5        # seconds that two miss sounds hold the window at least

xgame_display "$source"
chmod 755 "$XGAME_TMP" # the read-only case runs the program as another user
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
less() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

sanitized=no
grep -q __asan_init "$binary" && sanitized=yes

if [ "$(id -u)" -eq 0 ]; then
    # Root ignores permission bits: the read-only case needs an ordinary user.
    other_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    other_user=()
fi

# write_board FILE: a board as the program writes it, Chinese names and all
# scores 0, so that any score above 0 wins the first place.
write_board()
{
    /usr/bin/python3 - "$1" <<'EOF'
import sys
names = ["小明", "丽丽", "Ann", "王芳", "Bob", "李雷", "韩梅梅", "Tom", "张伟", "0"]
open(sys.argv[1], "wb").write("".join(n + ",0\r\n" for n in names).encode("gb18030"))
EOF
}

# The audio probe: whether SDL can open an output device with the
# environment given, as the program's cue player asks for one.
audio_probe=
make_audio_probe()
{
    audio_probe=$XGAME_TMP/audio-probe
    cc -x c - -o "$audio_probe" $(pkg-config --cflags --libs sdl2) <<'EOF' || xgame_fail "cannot build the audio probe"
#include <SDL.h>
#include <stdio.h>
int main(void)
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        printf("no audio: init fails (%s)\n", SDL_GetError());
        return 1;
    }
    SDL_AudioSpec want = {0};
    want.freq = 22050;
    want.format = AUDIO_U8;
    want.channels = 1;
    want.samples = 512;
    if (SDL_OpenAudioDevice(NULL, 0, &want, NULL, 0) == 0) {
        printf("no audio: %s opens no device (%s)\n", SDL_GetCurrentAudioDriver(), SDL_GetError());
        return 1;
    }
    printf("audio opens with %s\n", SDL_GetCurrentAudioDriver());
    return 0;
}
EOF
}
# no_audio NAME=VALUE...: fails unless SDL opens no device with that environment.
no_audio()
{
    [ -n "$audio_probe" ] || make_audio_probe
    local said
    said=$(env "$@" "$audio_probe" 2>/dev/null) && xgame_fail "$case: SDL has audio here ($said): $*"
    echo "  $said"
}

# margin_mib NORMAL SANITIZED: the case's memory margin over the baseline.
# AddressSanitizer keeps freed memory for a while (its quarantine), so what
# the program reads in pieces or lays out and drops stays resident there.
margin_mib()
{
    margin=$(($1 * 1024))
    [ "$sanitized" = yes ] && margin=$(($2 * 1024))
}

# The cases: setup_NAME runs before the program starts (it may add to
# XGAME_ENV, set XGAME_AS and board, the file the name must land in);
# check_NAME runs after the name was typed.

setup_baseline() { write_board "$program/mirafon1.tmp"; }
check_baseline() { check_named_board "$board"; }

# The program's folder cannot be written: the board goes to the user's
# data folder.
setup_read_only_folder()
{
    board=$home/.local/share/tovasel/mirafon1.tmp
    if [ ${#other_user[@]} -gt 0 ]; then
        XGAME_AS=("${other_user[@]}")
        chown -R 65534:65534 "$home" "$dir/sanitizer"
        mkdir -m 700 "$dir/runtime" && chown 65534:65534 "$dir/runtime"
        XGAME_ENV+=(XDG_RUNTIME_DIR="$dir/runtime")
    fi
    XGAME_PREPARE=read_only_folder
}
read_only_folder()
{
    chmod 555 "$1"
    "${XGAME_AS[@]}" touch "$1/probe" 2>/dev/null && xgame_fail "the program's folder is writable"
    return 0
}
check_read_only_folder()
{
    check_named_board "$board"
    [ "$(ls -A "$program")" = tovasel ] || xgame_fail "files in the read-only folder: $(ls -A "$program")"
}

# The board's name is taken by a folder, which must stay as it is.
setup_board_is_folder()
{
    mkdir "$program/mirafon1.tmp"
    echo kept >"$program/mirafon1.tmp/inside"
}
check_board_is_folder()
{
    [ -d "$program/mirafon1.tmp" ] && [ "$(cat "$program/mirafon1.tmp/inside")" = kept ] ||
        xgame_fail "the folder in the board's place was changed"
    [ "$(ls -A "$program" | tr '\n' ' ')" = "mirafon1.tmp tovasel " ] ||
        xgame_fail "files left beside the board's folder: $(ls -A "$program")"
}

# 100 MiB of random bytes, seeded so that a failure can be repeated.
setup_random_board()
{
    /usr/bin/python3 -c 'import random, sys
sys.stdout.buffer.write(random.Random(20240501).randbytes(100 << 20))' >"$program/mirafon1.tmp"
}
check_random_board() { check_named_board "$board"; }

# A 10 MB line, its comma and score at the very end: only its first MiB
# is to be kept, so the peak may grow by little more than that.
setup_long_line()
{
    margin_mib 16 32
    /usr/bin/python3 - "$program/mirafon1.tmp" <<'EOF'
import sys
line = "小".encode("gb18030") * 5_000_000 + b",5\r\n"
open(sys.argv[1], "wb").write(line + "".join(f"p{k},0\r\n" for k in range(2, 11)).encode())
EOF
}
check_long_line() { check_named_board "$board"; }

# A name of 400 000 characters within that first MiB, which the leaderboard
# shows in an 81-pixel label, and which the board keeps.
setup_long_name()
{
    margin_mib 64 128 # laying out the label
    /usr/bin/python3 - "$program/mirafon1.tmp" <<'EOF'
import sys
line = "小".encode("gb18030") * 400_000 + b",0\r\n"
open(sys.argv[1], "wb").write(line + "".join(f"p{k},0\r\n" for k in range(2, 11)).encode())
EOF
}
check_long_name()
{
    check_named_board "$board"
    [ "$(sed -n 2p "$board" | wc -c)" -eq $((800000 + 4)) ] || xgame_fail "$case: the long name was not kept whole"
}

# No audio device: ALSA with no configuration has no PCM to open, and
# PulseAudio has no server to reach. The miss sounds must still hold the game.
setup_no_audio_alsa()
{
    write_board "$program/mirafon1.tmp"
    : >"$dir/alsa.conf"
    XGAME_ENV+=(SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH="$dir/alsa.conf")
    no_audio SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH="$dir/alsa.conf"
}
check_no_audio_alsa() { check_named_board "$board"; }
setup_no_audio_pulse()
{
    write_board "$program/mirafon1.tmp"
    XGAME_ENV+=(SDL_AUDIODRIVER=pulseaudio PULSE_SERVER="unix:$dir/no-server")
    no_audio SDL_AUDIODRIVER=pulseaudio PULSE_SERVER="unix:$dir/no-server"
}
check_no_audio_pulse() { check_named_board "$board"; }

# No CJK font: fontconfig sees DejaVu alone, and Chinese shows as boxes.
setup_no_cjk_font()
{
    write_board "$program/mirafon1.tmp"
    cat >"$dir/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$dir/fontconfig</cachedir>
</fontconfig>
EOF
    XGAME_ENV+=(FONTCONFIG_FILE="$dir/fonts.conf")
    local cjk fonts
    cjk=$(FONTCONFIG_FILE="$dir/fonts.conf" fc-list :lang=zh-cn family)
    fonts=$(FONTCONFIG_FILE="$dir/fonts.conf" fc-list : family | wc -l)
    [ -z "$cjk" ] || xgame_fail "a CJK font is still visible: $cjk"
    [ "$fonts" -gt 0 ] || xgame_fail "no font at all is visible under $dir/fonts.conf"
}
check_no_cjk_font() { check_named_board "$board"; }

# check_named_board FILE: ten lines, the typed name first with a score above 0.
check_named_board()
{
    [ -f "$1" ] || xgame_fail "$case: no board at $1"
    local lines size
    lines=$(tr -cd '\n' <"$1" | wc -c)
    size=$(stat -c %s "$1")
    [ "$lines" -eq 10 ] || xgame_fail "$case: the board has $lines lines"
    [ "$size" -lt $((2 << 20)) ] || xgame_fail "$case: the board grew to $size bytes"
    head -c 20 "$1" | grep -aq $'^Tester,[1-9][0-9]*\r$' ||
        xgame_fail "$case: the name did not take the first place: $(head -c 40 "$1" | cat -v)"
}

# game WIN: starts a game, answers one question right when WIN is yes, misses
# twice and waits for the leaderboard; sets board_window and miss_time (from
# the misses to the leaderboard).
game()
{
    xgame_click 521 257 # the start button
    if [ "$1" = yes ]; then
        local w x y
        w=$(xgame_wait_hint "$dir/shot.png" 1 "" 10) || xgame_fail "$case: no hint after the start button"
        read -r x y <<<"$(xgame_centre 1 "$w")"
        xgame_click "$x" "$y"
    fi
    sleep 1 # the flash and the hit sound, or the mascot's word
    local misses
    misses=$(now)
    # Two corners of the figure that no part reaches, far apart so that the
    # second click is no double click (whose second press is no new press).
    xgame_click 5 475
    xgame_click 470 10
    board_window=$(xgame_board_window "$start_bound") || xgame_fail "$case: no leaderboard after two misses"
    miss_time=$(seconds "$misses" "$(now)")
}

# gone WINDOW: waits up to 5 s for the window to go.
gone()
{
    local i
    for i in $(seq 50); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
        sleep 0.1
    done
    return 1
}

peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$XGAME_PROGRAM_PID/status"; }

baseline_kib=
run_case()
{
    case=$1
    dir=$XGAME_TMP/$case
    program=$dir/program
    home=$dir/home
    board=$program/mirafon1.tmp
    mkdir -p "$program" "$home" "$dir/sanitizer"
    chmod 755 "$dir" "$program"
    chmod 1777 "$dir/sanitizer"
    XGAME_ENV=(HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
               XDG_CACHE_HOME="$home/.cache")
    if [ "$sanitized" = yes ]; then
        XGAME_ENV+=(ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$dir/sanitizer/asan"
                    LSAN_OPTIONS="suppressions=$source/tests/support/lsan.supp"
                    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$dir/sanitizer/ubsan")
    fi
    XGAME_AS=()
    XGAME_PREPARE=
    XGAME_LOG=$dir/program.log
    margin=$memory_margin
    echo "== $case"
    "setup_$case"

    local started start_time
    started=$(now)
    xgame_launch "$binary" "$program"
    game yes
    start_time=$(seconds "$started" "$(now)")
    kill -0 "$XGAME_PROGRAM_PID" 2>/dev/null || xgame_fail "$case: the program died"
    less "$start_time" "$start_bound" ||
        xgame_fail "$case: the leaderboard took $start_time s from the start (bound $start_bound s)"
    less "$hold_floor" "$miss_time" ||
        xgame_fail "$case: two misses took only $miss_time s: the miss sound no longer holds the game"

    xdotool mousemove --window "$board_window" 100 60 click 1 # into the name box
    xdotool type --delay 20 Tester
    xdotool key Return
    gone "$board_window" || xgame_fail "$case: Enter did not close the leaderboard"
    "check_$case"

    # A second game shows that the program still plays; it wins no place.
    game no
    local peak
    peak=$(peak_kib)
    xgame_close "$board_window"
    gone "$board_window" || xgame_fail "$case: the leaderboard did not close"
    xgame_quit 30 || xgame_fail "$case: the program did not end when its window closed"
    local status=$XGAME_STATUS
    chmod -R u+w "$program" 2>/dev/null

    if [ -n "$(ls -A "$dir/sanitizer")" ] ||
        grep -qE 'runtime error:|ERROR: AddressSanitizer|ERROR: LeakSanitizer' "$XGAME_LOG"; then
        cat "$dir"/sanitizer/* "$XGAME_LOG" 2>/dev/null | head -60 >&2
        xgame_fail "$case: sanitizer report"
    fi
    [ "$status" -eq 0 ] || { tail -20 "$XGAME_LOG" >&2; xgame_fail "$case: the program ended with status $status"; }

    if [ -z "$baseline_kib" ]; then
        baseline_kib=$peak
        bound=
    else
        bound=" (bound $(((baseline_kib + margin) / 1024)) MiB)"
        [ "$peak" -le $((baseline_kib + margin)) ] ||
            xgame_fail "$case: peak memory $((peak / 1024)) MiB, over the baseline's $((baseline_kib / 1024)) MiB + $((margin / 1024))"
    fi
    echo "  start to leaderboard $start_time s, misses to leaderboard $miss_time s, peak $((peak / 1024)) MiB$bound"
}

[ "$sanitized" = yes ] && echo "sanitizer build: its reports fail the cases"
for c in baseline read_only_folder board_is_folder random_board long_line long_name no_audio_alsa no_audio_pulse no_cjk_font; do
    run_case "$c"
done
echo "hostile cases: all played"
