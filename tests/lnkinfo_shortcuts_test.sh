#!/bin/sh
# postinstall and preuninstall on the sample product, with the link files read back by lnkinfo
# (liblnk-utils), a parser of the shell link format independent of Windows and of our code. The
# show command is read from offset 0x3C of the file: this lnkinfo prints it as 0 whatever it is.
# Usage: lnkinfo_shortcuts_test.sh WINE_RUN WINE_PREFIX POSTINSTALL PREUNINSTALL SAMPLE WORK
set -eu
wine_run=$1 prefix=$2 postinstall=$3 preuninstall=$4 sample=$5 work=$6
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
cp -R "$sample" "$work/product"
installer="$work/product/quenda/vazezazoza.win64/bin/installer"
cp "$postinstall" "$preuninstall" "$installer/"
install_dir="Z:$(cd "$work/product/quenda/vazezazoza.win64" && pwd | tr / '\\')"

programs="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
release="$programs/Quenda Workbench 4"
rm -rf "$release"
"$wine_run" "$installer/postinstall.exe"

# field LINK NAME EXPECTED: one "Name : value" line of lnkinfo's output.
field() {
    actual=$(lnkinfo "$1" | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1)
    [ "$actual" = "$3" ] || fail "$(basename "$(dirname "$1")")/$(basename "$1"): $2 is '$actual', expected '$3'"
}
show_command() { od -An -tu4 -j60 -N4 "$1" | tr -d ' '; }

launch="$release/Brastel/Quenda Workbench 4.2.1.lnk"
manual="$release/Brastel/Documentation/Quenda Workbench 4.2.1.lnk"
for link in "$launch" "$manual"; do
    [ -f "$link" ] || { fail "missing $link"; continue; }
    field "$link" "Working directory" "$install_dir"
    field "$link" "Icon index" "0"
    [ "$(show_command "$link")" = 1 ] || fail "$link: show command $(show_command "$link"), expected 1"
done
if [ -f "$launch" ]; then
    field "$launch" "Local path" "$install_dir\\bin\\run_quendabench.bat"
    field "$launch" "Command line arguments" "Pro"
    field "$launch" "Description" "Launch Quenda Workbench User Interface"
    field "$launch" "Icon location" "$install_dir\\images\\workbench32.ico"
fi
if [ -f "$manual" ]; then
    field "$manual" "Local path" "$install_dir\\docs\\Quenda_Workbench.pdf"
    field "$manual" "Command line arguments" "" # Wine's link object stores the empty string
    field "$manual" "Description" "Display Online PDF Manual"
    field "$manual" "Icon location" "$install_dir\\docs\\Quenda_Workbench.pdf"
fi

"$wine_run" "$installer/preuninstall.exe"
[ ! -e "$release" ] || fail "preuninstall left $(find "$release" | sed "s|$programs/||" | tr '\n' ' ')"
[ -d "$programs" ] || fail "the Programs folder is gone"

rm -rf "$work"
[ "$failures" -eq 0 ] && echo "both shortcuts read back by lnkinfo as expected; removed by preuninstall"
[ "$failures" -eq 0 ]
