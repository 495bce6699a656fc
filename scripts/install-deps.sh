#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building, running and testing need,
# when they are missing: one apt-get update, then one apt-get install.
set -euo pipefail

build_packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 qt6-tools-dev qt6-l10n-tools libsdl2-dev
                libxcb1-dev fonts-arphic-uming qt6-translations-l10n)
test_packages=(libgtest-dev xvfb xauth xdotool x11-utils imagemagick pocketsphinx pocketsphinx-en-us sox python3
               clang-format clang libclang-rt-14-dev valgrind appstream desktop-file-utils dpkg-dev file
               qt6-base-private-dev pulseaudio pulseaudio-utils librsvg2-bin python3-numpy python3-pil poppler-utils)
# Licences and the package's checkers; a real input method for typing Chinese names.
test_packages+=(reuse lintian ibus ibus-libpinyin dbus-x11)
# Private session buses for one game per board, and a launcher's call on one.
test_packages+=(dbus-daemon libglib2.0-bin)
# The desktops of the desktop test: three X11 window managers and a panel, and
# sway with its tools for a native Wayland session.
test_packages+=(xfwm4 xfce4-panel mutter openbox sway wtype grim libwayland-dev qt6-wayland)

packages=("${build_packages[@]}")
if [ "${1:-}" = "--test" ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
