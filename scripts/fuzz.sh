#!/bin/sh
# Runs every fuzz target of the host build for a longer time (default 600 s each) and prints
# each one's executions per second and total executions. New inputs go to build/host/corpus-*;
# findings are written as crash-* files in build/host.
# Usage: sh scripts/fuzz.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}
sh scripts/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host
cd build/host
for target in quoted_value launcher_rewrite settings_word marker_word path_containment; do
    mkdir -p "corpus-$target"
    echo "== fuzz_$target, $seconds s"
    "./tests/host/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        "corpus-$target" "../../tests/fuzz/corpus/$target" 2>&1 |
        grep -E 'ERROR|SUMMARY|number_of_executed_units|average_exec_per_sec'
done
