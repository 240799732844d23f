#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, on Debian 12, whatever Quillmoor needs that is missing: "run" for building, packaging and
# running the program, "test" adds what the tests need (X server, sound server, printing, fuzzing).
set -euo pipefail
what=${1:-run}

# (qt6-charts-dev does not bring the Qt OpenGL CMake files that Qt Charts' own need: libqt6opengl6-dev.)
run_pkgs=(g++ cmake make qt6-base-dev qt6-multimedia-dev libgif-dev libxkbcommon-dev
          fonts-liberation fonts-liberation2 fonts-wine qt6-wayland
          flite1-dev libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev libqt6opengl6-dev
          dpkg-dev file)
test_pkgs=(xvfb xauth xdotool x11-utils x11-apps imagemagick pulseaudio pulseaudio-utils sox
           cups printer-driver-cups-pdf poppler-utils libwmf-bin libmagickcore-6.q16-6-extra
           clang libclang-rt-14-dev openbox metacity xfwm4 weston at-spi2-core python3-pyatspi dbus
           orca speech-dispatcher postgresql-15
           lintian appstream)

pkgs=("${run_pkgs[@]}")
[ "$what" = test ] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get -o DPkg::Lock::Timeout=900 update
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${missing[@]}"
