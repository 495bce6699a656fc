#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays one whole game of the real program under Xvfb, answering every
# question right, and takes screenshots on the way: the start, the help over
# it, a level-1 question with its hint, a level-2 question and the
# leaderboard at the end, in the texts of LOCALE (zh_TW.UTF-8) if given.
# Usage: scripts/screenshots.sh OUTPUT_FOLDER [TOVASEL_BINARY [LOCALE]]
# (the binary defaults to build/src/tovasel)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/tests/e2e/xgame.bash"

[ $# -ge 1 ] || { echo "usage: $0 OUTPUT_FOLDER [TOVASEL_BINARY]" >&2; exit 2; }
out=$(mkdir -p "$1" && cd "$1" && pwd)
binary=${2:-$root/build/src/tovasel}
[ -x "$binary" ] || xgame_fail "no program at $binary: build it first"
[ -z "${3:-}" ] || XGAME_ENV=(LANGUAGE= LC_ALL="$3")
xgame_start "$binary" "$root"

word_label=105x25+496+202
shot="$XGAME_TMP/shot.png"

# Keeps the last screenshot, to see what went wrong.
fail_with_shot()
{
    cp "$shot" "$out/failed.png" 2>/dev/null
    xgame_fail "$*"
}

xgame_shot "$out/1-start.png"
xgame_click help
xgame_until 10 eval 'help=$(xgame_ask find 帮助 || xgame_ask find 說明)' || xgame_fail "the help did not open"
sleep 0.5
xgame_shot "$shot" root && "$XGAME_IM/convert" "$shot" -crop "$(xgame_ask geometry "$XGAME_WID")" +repage "$out/1-help.png"
xgame_dismiss "$help" || xgame_fail "the help did not close"
xgame_click 521 257 # the start button

# Level 1: the hint shows the word; keep how its written word looks, to
# recognise the word at level 2, where there is no hint.
for figure in 1 2; do
    last=
    for question in $(seq 10); do
        w=$(xgame_wait_hint "$shot" "$figure" "$last" 8) ||
            fail_with_shot "no hint on figure $figure for question $question"
        "$XGAME_IM/convert" "$shot" -crop "$word_label" +repage "$XGAME_TMP/word-$figure-$w.png"
        [ "$figure$question" = 11 ] && cp "$shot" "$out/2-level1-hint.png"
        read -r x y <<<"$(xgame_centre "$figure" "$w")"
        xgame_click "$x" "$y"
        last=$w
    done
done

# The written word of the question now asked, among the figure's words not yet answered.
written_word()
{
    local figure=$1 answered=$2 i w
    for i in $(seq 40); do
        xgame_shot "$shot"
        for w in $(seq 0 9); do
            case " $answered " in *" $w "*) continue ;; esac
            if xgame_same "$shot" "$word_label" "$XGAME_TMP/word-$figure-$w.png"; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

for figure in 1 2; do
    answered=
    for question in $(seq 10); do
        w=$(written_word "$figure" "$answered") ||
            fail_with_shot "no word of figure $figure recognised at level 2, question $question"
        [ "$figure$question" = 11 ] && cp "$shot" "$out/3-level2.png"
        read -r x y <<<"$(xgame_centre "$figure" "$w")"
        xgame_click "$x" "$y"
        answered="$answered $w"
    done
done

# The completed game opens the leaderboard.
# By its UTF-8 name: a locale the machine lacks leaves the legacy one garbled.
board=$(xgame_ask find 排行榜 10) || xgame_fail "the leaderboard did not open at the end of the game"
sleep 0.5
xgame_shot "$out/4-leaderboard.png" root
xdotool mousemove --window "$board" 100 60 click 1 type Lily
sleep 0.3
xgame_shot "$out/5-leaderboard-name.png" root
echo "screenshots in $out"
