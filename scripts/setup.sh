#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, from Debian's packages, and
# nothing that is already there. Safe to run again.
set -eu
packages="cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest wine wine64 liblnk-utils icoutils
xvfb xauth clang-14 libclang-rt-14-dev"

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
# Only the 64-bit Wine: this kernel cannot run 32-bit Linux programs, and with wine32 installed
# the wine command fails.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
