#!/bin/sh
# postinstall and preuninstall on product roots of 250, 259 and 300 characters and from program
# paths around and beyond the 520 characters of a first read of the program path. The path is
# read whole, so the product root is the true one: the script is written there byte for byte,
# and the pair leaves both Start Menus as they were. Windows' CreateProcessW (and Wine's) refuses
# application paths over 260 characters, so the programs are started from the host side by
# their Unix paths.
# Usage: long_program_path_test.sh WINE_RUN POSTINSTALL PREUNINSTALL WINE_PREFIX WORK_FOLDER
set -eu
wine_run=$1 postinstall=$2 preuninstall=$3 prefix=$4 work=$5
tail='\quenda\vazezazoza.win64\bin\installer\postinstall.exe'
start_menus() {
    find "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu" \
        "$prefix/drive_c/users" -path '*Start Menu*' 2>/dev/null | sort
}

rm -rf "$work"
mkdir -p "$work"
# Root lengths as the program sees them (Z: + Unix path): 250, 259 and 300; then program paths of
# 519, 520, 521 and 580 characters.
for root_length in 250 259 300 $((519 - ${#tail})) $((520 - ${#tail})) $((521 - ${#tail})) $((580 - ${#tail})); do
    # The root: <work>/<segments of at most 200 characters>, Z:<work>\... as the program sees it.
    # Folder names are at most 200 characters; each further one costs a separator.
    filler=$((root_length - 2 - ${#work} - 1))
    relative=""
    while [ "$filler" -gt 0 ]; do
        if [ -n "$relative" ]; then
            relative="$relative/"
            filler=$((filler - 1))
        fi
        chunk=$((filler > 200 ? 200 : filler))
        relative="$relative$(printf "%0${chunk}d" 0 | tr 0 r)"
        filler=$((filler - chunk))
    done
    root="$work/$relative"
    bin="$root/quenda/vazezazoza.win64/bin"
    mkdir -p "$bin/installer" "$root/commonfiles/globalsettings"
    cp "$postinstall" "$preuninstall" "$bin/installer/"
    printf 'setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n' >"$bin/run_quendabench_TEMPLATE.bat"
    printf '<r startMenuFolderName="Long Root %s" startMenuShortcutAppendRevision="1"/>' \
        "$root_length" >"$root/commonfiles/globalsettings/relinfo.xml"

    before=$(start_menus)
    "$wine_run" "$bin/installer/postinstall.exe"
    windows_root="Z:$(printf '%s' "$root" | tr / '\\')"
    [ "${#windows_root}" -eq "$root_length" ] || { echo "FAIL: root of ${#windows_root}, not $root_length"; exit 1; }
    printf 'setlocal\r\n CALL "%s\\quenda\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat"\r\necho ready\r\n' \
        "$windows_root" >"$work/expected.bat"
    cmp "$work/expected.bat" "$bin/run_quendabench.bat"
    "$wine_run" "$bin/installer/preuninstall.exe"
    [ "$(start_menus)" = "$before" ] || { echo "FAIL: Start Menu changed for root $root_length"; exit 1; }
    echo "root of $root_length characters (program path $((root_length + ${#tail}))): script as expected, Start Menu restored"
    rm -rf "$work"/r* "$work/expected.bat"
done
rm -rf "$work"
