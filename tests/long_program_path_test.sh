#!/bin/sh
# postinstall started from program paths around and beyond the 520 characters of a first read of
# the program path: the path is read whole, so the product root is the true one and the script is
# written there byte for byte. Windows' CreateProcessW (and Wine's) refuses application paths
# this long, so the program is started from the host side by its Unix path.
# Usage: long_program_path_test.sh WINE_RUN POSTINSTALL_EXE WORK_FOLDER
set -eu
wine_run=$1 program=$2 work=$3
tail='\quenda\vazezazoza.win64\bin\installer\postinstall.exe'

rm -rf "$work"
for length in 519 520 521 580; do
    # Program path as the program sees it: Z:<work>\<240 d>\<n e><tail>
    base="$work/$(printf '%0240d' 0 | tr 0 d)"
    rest=$((length - 2 - ${#base} - 1 - ${#tail}))
    root="$base/$(printf "%0${rest}d" 0 | tr 0 e)"
    bin="$root/quenda/vazezazoza.win64/bin"
    mkdir -p "$bin/installer"
    cp "$program" "$bin/installer/postinstall.exe"
    printf 'setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n' >"$bin/run_quendabench_TEMPLATE.bat"

    "$wine_run" "$bin/installer/postinstall.exe"

    windows_root="Z:$(printf '%s' "$root" | tr / '\\')"
    program_path="$windows_root$tail"
    [ "${#program_path}" -eq "$length" ] || { echo "FAIL: path of ${#program_path}, not $length"; exit 1; }
    printf 'setlocal\r\n CALL "%s\\quenda\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat"\r\necho ready\r\n' \
        "$windows_root" >"$work/expected.bat"
    cmp "$work/expected.bat" "$bin/run_quendabench.bat"
    echo "program path of $length characters: script as expected ($(wc -c <"$bin/run_quendabench.bat") bytes)"
    rm -rf "$base"
done
rm -rf "$work"
