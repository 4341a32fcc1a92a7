#!/bin/sh
# Runs every test: file checks of the 32-bit programs, the test suite under Wine (with a virtual
# display for the tests that open windows), then the pure text logic on the host under
# AddressSanitizer and UndefinedBehaviorSanitizer with its fuzz targets (30 s each). Installs
# missing packages first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
sh scripts/build.sh
ctest --preset mingw-x86
xvfb-run -a ctest --preset mingw-x64
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host
