#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package, installs it and plays the installed program
# under Xvfb as an ordinary user: two games, checking that the name typed in
# the first is kept in the user's data folder and shown after a restart.
#
#   scripts/check-deb.sh [--system] [BUILD_DIR]
#
# By default the package is unpacked into a scratch root; with --system it is
# installed on this machine with apt (which pulls in its dependencies) and
# removed again afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
system=no
if [ "${1:-}" = "--system" ]; then
  system=yes
  shift
fi
build=${1:-$root/build}
im=/usr/bin

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ "$system" = yes ] && apt-get remove -y -qq tovasel >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --build "$build" --target tovasel >/dev/null
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/tovasel_*.deb)
echo "package: $(basename "$deb")"

if [ "$system" = yes ]; then
  apt-get install -y -qq "$deb" >/dev/null
  installed=
else
  dpkg-deb -x "$deb" "$work/root"
  installed=$work/root
fi
program_folder=$installed/usr/games
entry=$installed/usr/share/applications/org.tovasel.tovasel.desktop
[ -f "$entry" ] || fail "no menu entry installed"
# The program starts as the menu does: the entry's command, found on a user's PATH.
command=$(sed -n 's/^Exec=//p' "$entry")
user_path=$installed/usr/local/bin:$installed/usr/bin:/usr/bin:/bin:$installed/usr/local/games:$installed/usr/games

# The player is an ordinary user, who cannot write the program's folder.
home=$work/home
mkdir -p "$home"
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod a-w "$program_folder"
  as_user=()
fi

n=$((400 + $$ % 400))
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

start_game() {
  env -i PATH="$user_path" HOME="$home" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS=disabled: \
    SDL_AUDIODRIVER=dummy "${as_user[@]}" $command >"$work/program.log" 2>&1 &
  pids+=($!)
  main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tovasel$' | head -1 || true)
  [ -n "$main" ] || fail "the installed program showed no window"
  sleep 0.5
  xdotool mousemove --window "$main" 512 257 click 1 # start
  sleep 1
  # Two clicks far from every part: two misses end the game.
  xdotool mousemove --window "$main" 20 470 click 1
  sleep 0.6
  xdotool mousemove --window "$main" 20 470 click 1
  # The leaderboard is the one other window (xdotool's name match does not
  # take its Chinese caption).
  board=
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      [ "$(xdotool getwindowname "$w")" = "排行榜" ] && board=$w
    done
    [ -n "$board" ] && break
    sleep 0.1
  done
  [ -n "$board" ] || fail "no leaderboard after the game"
  sleep 0.5
}
stop_game() {
  kill "${pids[-1]}"
  wait "${pids[-1]}" 2>/dev/null || true
  unset 'pids[-1]'
}

board_file=$home/.local/share/tovasel/mirafon1.tmp

start_game
xdotool type --delay 30 "Xiaoming"
xdotool key Return
sleep 0.5
"$im/import" -window root "$work/first.png"
stop_game
[ -f "$board_file" ] || fail "no board in the user's data folder ($board_file)"
[ -e "$program_folder/mirafon1.tmp" ] && fail "the board went into the program's folder"
head -c 11 "$board_file" | grep -q $'^Xiaoming,0\r' || fail "the name was not kept: $(head -1 "$board_file")"

# After a restart the board still holds the name; a score of 0 earns no place now.
start_game
"$im/import" -window root "$work/second.png"
stop_game
head -c 11 "$board_file" | grep -q $'^Xiaoming,0\r' || fail "the name was lost after a restart"
if [ -n "${SHOTS:-}" ]; then
  cp "$work/first.png" "$SHOTS/deb-first-game.png"
  cp "$work/second.png" "$SHOTS/deb-after-restart.png"
fi
echo "installed program: started, played twice, name kept in ~/.local/share/tovasel"
