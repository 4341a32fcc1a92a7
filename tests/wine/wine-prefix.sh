#!/bin/sh
# Creates (setup) or stops (cleanup) the Wine prefix of one test run.
# Usage: wine-prefix.sh setup|cleanup PREFIX DRIVE_R_FOLDER
set -eu
action=$1 prefix=$2 drive_r=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="

case "$action" in
setup)
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix" "$drive_r"
    mkdir -p "$prefix" "$drive_r"
    # The server and the prefix's services outlive this script: they must not inherit its
    # output, or CTest would wait for them to close it. Their output goes to a log instead.
    log="$prefix.log"
    # A persistent server: later program starts reuse it instead of starting their own.
    wineserver -p </dev/null >"$log" 2>&1
    wineboot -i </dev/null >>"$log" 2>&1
    # Drive R: is an empty folder of the build tree, for products installed at a drive root.
    ln -sfn "$drive_r" "$prefix/dosdevices/r:"
    # Start the prefix's services once, so that the first test does not pay for them.
    wine cmd.exe /c exit 0 </dev/null >>"$log" 2>&1
    echo "Wine prefix ready: $prefix"
    ;;
cleanup)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
*)
    echo "usage: $0 setup|cleanup PREFIX DRIVE_R_FOLDER" >&2
    exit 2
    ;;
esac
