#!/bin/sh
# Installs what building and testing the launcher needs on Debian 12, when it
# is missing: the MinGW-w64 cross compilers, CMake and Ninja, wine64, a
# virtual display with a window manager, clang for the fuzzers, and the
# image tools for screenshots. Needs root (or sudo) only when something is
# missing.
set -eu
packages="cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
          wine64 xvfb openbox clang libclang-rt-14-dev clang-format imagemagick"
missing=
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
