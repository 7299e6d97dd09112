#!/usr/bin/env bash
# Installs the Debian packages the build, the saver and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

need_run=(cmake ninja-build g++ pkg-config
          libglfw3-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev libxft-dev libxrandr-dev
          libwayland-dev libegl-dev wayland-protocols libglib2.0-dev
          fonts-liberation libstb-dev xdg-utils
          xvfb xauth x11-utils x11-apps imagemagick)
need_package=(${need_run[@]}
              g++-mingw-w64-x86-64-posix dpkg-dev nsis zip git)
need_test=(${need_package[@]}
           wine wine64 binutils-mingw-w64-x86-64 icoutils gifsicle
           googletest libgtest-dev libgmock-dev libbenchmark-dev
           clang libclang-rt-14-dev
           xdotool imagemagick mesa-utils python3 khronos-api
           xscreensaver xscreensaver-data xscreensaver-gl xsecurelock file
           xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
           sway swayidle grim wtype weston
           kwin-wayland mutter dbus python3-dbus
           xss-lock swaylock python3-gi)

pkgs=("${need_run[@]}")
[ "${1:-}" = "--package" ] && pkgs=("${need_package[@]}")
[ "${1:-}" = "--test" ] && pkgs=("${need_test[@]}")

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
