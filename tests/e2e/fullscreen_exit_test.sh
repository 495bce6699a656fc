# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A clean exit whatever full screen was drawing: at 3840x2160 under Xvfb, six
# quick F11 presses and then a close, 20 times (TOVASEL_EXIT_ROUNDS), on one
# server; every run must end with status 0 and, in a sanitizer build, no report.
# Usage: bash fullscreen_exit_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
rounds=${TOVASEL_EXIT_ROUNDS:-20} failed=0 binary=$(readlink -f "$1")
XGAME_SCREEN=3840x2160 xgame_display "$(cd "$2" && pwd)" && xgame_sanitized "$binary"
for round in $(seq "$rounds"); do
    XGAME_LOG=$XGAME_TMP/program-$round.log && xgame_launch "$binary"
    xdotool windowfocus "$XGAME_WID" key --delay 20 F11 F11 F11 F11 F11 F11
    xgame_quit 20 || { kill -KILL "$XGAME_PROGRAM_PID" && wait "$XGAME_PROGRAM_PID"; XGAME_STATUS=hung XGAME_PROGRAM_PID=; }
    why=$(xgame_clean "$XGAME_LOG") || { failed=$((failed + 1)) && echo "round $round: $why"; }
done
[ "$failed" -eq 0 ] || xgame_fail "$failed of $rounds runs did not end cleanly after six quick F11 presses"
