#!/bin/sh
# Builds both presets and prints the benchmark table (scripts/benchmark.py) for this machine.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
sh scripts/build.sh >/dev/null
python3 scripts/benchmark.py
