#!/bin/sh
# Runs every test: file checks of the 32-bit programs, then the test suite under Wine (with a
# virtual display for the tests that open windows). Installs missing packages first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
sh scripts/build.sh
ctest --preset mingw-x86
xvfb-run -a ctest --preset mingw-x64
