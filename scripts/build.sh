#!/bin/sh
# Configures and builds both presets: mingw-x86 (the shipped 32-bit programs) and mingw-x64
# (the same sources for 64-bit, with the test suite).
set -eu
cd "$(dirname "$0")/.."
for preset in mingw-x86 mingw-x64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
