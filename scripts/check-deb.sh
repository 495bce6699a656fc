#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package; Debian's and freedesktop's checkers must have
# nothing to say about it, and it must carry and need what it should. Then
# the installed program (unpacked into a scratch root, or with --system
# installed here by apt and removed afterwards) starts as the menu starts it,
# for an ordinary user: the name typed after a game lands in the user's data
# folder and is still there after a restart.
#   scripts/check-deb.sh [--system] [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tests/e2e/xgame.bash"
system=no && [ "${1:-}" = --system ] && system=yes && shift
build=${1:-$root/build} && xgame_display "$root" && chmod 755 "$XGAME_TMP"
[ $system = no ] || xgame_at_exit 'apt-get remove -y -qq tovasel >/dev/null 2>&1'

# The component id names the desktop entry and the metainfo, and the program
# says it is that entry (Qt keeps the name as UTF-16).
id=$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$root"/packaging/*.metainfo.xml)
[ "$id" = "${id,,}" ] || xgame_fail "component id $id is not lower case"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/packaging/$id.metainfo.xml" ||
  xgame_fail "the metainfo does not launch $id.desktop"
cmake --build "$build" --target tovasel >/dev/null || xgame_fail "cannot build $build"
strings -el "$build/src/tovasel" | grep -qx "$id" || xgame_fail "the program's desktop file name is not $id"
report=$(desktop-file-validate "$root/packaging/$id.desktop" 2>&1) && [ -z "$report" ] || xgame_fail "desktop-file-validate: $report"
report=$(appstreamcli validate --pedantic --no-net "$root/packaging/$id.metainfo.xml" 2>&1)
[ "$report" = "✔ Validation was successful." ] || xgame_fail "appstreamcli: $report"
(cd "$build" && cpack -G DEB -B "$XGAME_TMP/deb" >"$XGAME_TMP/cpack.log" 2>&1) || xgame_fail "cpack: $(cat "$XGAME_TMP/cpack.log")"
deb=$(ls "$XGAME_TMP"/deb/tovasel_*.deb) files=$(dpkg-deb -c "$XGAME_TMP"/deb/tovasel_*.deb | awk '{print $6}')
report=$(lintian --pedantic "$deb" 2>&1 | grep -v '^running with root privileges')
[ -z "$report" ] || xgame_fail "lintian: $report"
for f in games/tovasel share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/tovasel.6.gz \
  share/man/zh_CN/man6/tovasel.6.gz share/icons/hicolor/{32x32,256x256}/apps/tovasel.png \
  share/icons/hicolor/scalable/apps/tovasel.svg share/dbus-1/services/$id.service; do
  grep -qx "./usr/$f" <<<"$files" || xgame_fail "package lacks /usr/$f"; done
! grep -qE '^\./usr/(lib|include)/|\.a$|_test$' <<<"$files" || xgame_fail "package carries build or test files"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-2.0-0 fonts-arphic-uming; do
  grep -q "$d" <<<"$depends" || xgame_fail "Depends lacks $d: $depends"; done
[ "$(dpkg-deb -f "$deb" Package Recommends Architecture)" = "Package: tovasel
Recommends: fcitx5-frontend-qt6, qt6-wayland, qt6-translations-l10n
Architecture: $(dpkg --print-architecture)" ] ||
  xgame_fail "package, recommends (fcitx5 and Wayland reach Qt 6 only through them, Qt's own texts are Chinese only with its translations) or architecture"
echo "package: $(basename "$deb"), depends: $depends"

installed=
if [ $system = yes ]; then apt-get install -y -qq "$deb" >/dev/null || xgame_fail "apt cannot install $deb"
else installed=$XGAME_TMP/root && dpkg-deb -x "$deb" "$installed" || xgame_fail "cannot unpack $deb"; fi
home=$XGAME_TMP/home board=$XGAME_TMP/home/.local/share/tovasel/mirafon1.tmp && mkdir -p "$home"
XGAME_AS=(env -u XDG_DATA_HOME) # the player is an ordinary user, who cannot write the program's folder
if [ "$(id -u)" -eq 0 ]; then chown 65534:65534 "$home" && XGAME_AS+=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else chmod a-w "$installed/usr/games"; fi
# The entry's own command, not its actions'.
XGAME_RUN=$(sed -n '/^\[Desktop Entry\]$/,/^\[/s/^Exec=//p' "$installed/usr/share/applications/$id.desktop")
XGAME_ENV=(HOME="$home" PATH="$installed/usr/local/bin:$installed/usr/bin:/usr/bin:/bin:$installed/usr/local/games:$installed/usr/games")
# The first game's name is kept; after a restart a score of 0 earns no place.
for lost in "was not kept" "was lost after a restart"; do
    xgame_launch "" "$home" && xgame_game && if [ "$lost" = "was not kept" ]; then xgame_name Xiaoming; else xgame_dismiss "$XGAME_BOARD"; fi
    xgame_until 20 [ -f "$board" ] || xgame_fail "no board in the user's data folder"
    xgame_quit 10 || xgame_fail "the installed program did not end"
    head -c 11 "$board" | grep -q $'^Xiaoming,0\r' || xgame_fail "the name $lost: $(head -1 "$board")"
done
[ ! -e "$installed/usr/games/mirafon1.tmp" ] || xgame_fail "the board went into the program's folder"

# A launcher that reads DBusActivatable asks the session bus for the game: the
# bus starts it through the package's service file (here with the unpacked
# program in /usr/games' place), and a second request reaches the running game.
service=$installed/usr/share/dbus-1/services/$id.service && mkdir "$XGAME_TMP/services"
[ "$(sed -n 's/^Exec=//p' "$service")" = /usr/games/tovasel ] || xgame_fail "the bus would not start /usr/games/tovasel"
sed "s|^Exec=|Exec=$installed|" "$service" >"$XGAME_TMP/services/$id.service" && chmod -R a+rX "$XGAME_TMP/services"
printf '<busconfig><include>/usr/share/dbus-1/session.conf</include><servicedir>%s</servicedir></busconfig>' \
  "$XGAME_TMP/services" >"$XGAME_TMP/bus.conf" && chmod a+r "$XGAME_TMP/bus.conf"
# The bus, and the game it starts, run as the player, in the player's environment.
XGAME_AS+=(env "${XGAME_ENV[@]}" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy) && xgame_bus --config-file="$XGAME_TMP/bus.conf"
ask() { "${XGAME_AS[@]}" gdbus call --session --timeout 20 --dest "$@"; }
activate() { ask "$id" --object-path "/${id//.//}" --method org.freedesktop.Application.Activate '{}' >/dev/null; }
activate || xgame_fail "the bus did not start the game"
XGAME_WID=$(xdotool search --sync --onlyvisible --name '^Tovasel( - .*)?$' | head -n 1) && activate && sleep 1 ||
  xgame_fail "the game started by the bus does not answer"
[ "$(xdotool search --onlyvisible --name '^Tovasel( - .*)?$' | wc -l)" = 1 ] || xgame_fail "a second activation opened a window"
pid=$(ask org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.GetConnectionUnixProcessID \
  "$id" | awk '{print $2 + 0}') && xgame_close "$XGAME_WID" && xgame_until 10 eval '! kill -0 $pid 2>/dev/null' ||
  xgame_fail "the game started by the bus did not end"
