#!/bin/sh
# Installs the build to a temporary prefix, builds examples/consumer against the installed CMake
# package (find_package(setupsupport CONFIG REQUIRED)) with the same toolchain, and runs it under
# Wine.
# Usage: consumer_package_test.sh CMAKE BUILD_DIR SOURCE_DIR TOOLCHAIN_FILE WINE_RUN WORK
set -eu
cmake=$1 build=$2 source=$3 toolchain=$4 wine_run=$5 work=$6
rm -rf "$work"
"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null
"$cmake" -S "$source/examples/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -Dsetupsupport_DIR="$work/prefix/lib/cmake/setupsupport" >/dev/null
"$cmake" --build "$work/consumer" >/dev/null
output=$("$wine_run" "$work/consumer/release_info.exe" | tr -d '\r')
echo "$output"
echo "$output" | grep -qx 'release 182'
rm -rf "$work"
