#!/bin/sh
# Checks a shipped 32-bit program as a file: a PE32 GUI image with ASLR, DEP and a relocation
# section, importing only Windows system DLLs, carrying the icon group IDI_MYICON (101) with ten
# images and the manifest, and smaller than 200 KiB.
# Usage: check-program-image.sh PROGRAM.exe OBJDUMP WRESTOOL VERSION
set -u
program=$1 objdump=$2 wrestool=$3 version=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$program") || { echo "FAIL: objdump cannot read $program"; exit 1; }

echo "$headers" | grep -q 'file format pei-i386' || fail "not a PE32 (i386) image"
echo "$headers" | grep -Eq '^Subsystem[[:space:]]+00000002' || fail "not a Windows GUI program"
characteristics=$(echo "$headers" | awk '/^DllCharacteristics/ {print $2}')
[ $((0x$characteristics & 0x40)) -ne 0 ] || fail "ASLR (DYNAMIC_BASE) is off: $characteristics"
[ $((0x$characteristics & 0x100)) -ne 0 ] || fail "DEP (NX_COMPAT) is off: $characteristics"
"$objdump" -h "$program" | grep -q ' \.reloc ' || fail "no relocation section"

allowed='^(kernel32|user32|advapi32|shell32|shlwapi|ole32|oleaut32|msvcrt)\.dll$'
for dll in $(echo "$headers" | awk '/DLL Name:/ {print tolower($3)}'); do
    echo "$dll" | grep -Eq "$allowed" || fail "imports a DLL that is not a Windows system DLL: $dll"
done

resources=$("$wrestool" -l "$program")
echo "$resources" | grep -q -- '--type=14 --name=101 ' || fail "no icon group IDI_MYICON (101)"
icons=$(echo "$resources" | grep -c -- '--type=3 ')
[ "$icons" -eq 10 ] || fail "icon images: $icons, expected 10"
manifest=$("$wrestool" -x --raw --type=24 --name=1 "$program")
echo "$manifest" | grep -q 'level="highestAvailable" uiAccess="false"' ||
    fail "manifest lacks requestedExecutionLevel highestAvailable"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a; do
    echo "$manifest" | grep -q "supportedOS Id=\"{$os}\"" || fail "manifest lacks supportedOS $os"
done

# Version information (UTF-16 text in the resource): file and product version and description.
version_text=$("$wrestool" -x --raw --type=16 "$program" | tr -d '\000')
for field in FileVersion ProductVersion FileDescription "$version"; do
    echo "$version_text" | grep -q "$field" || fail "version information lacks $field"
done

size=$(wc -c <"$program")
[ "$size" -lt 204800 ] || fail "$size bytes, not under 200 KiB"

echo "$program: $size bytes, imports $(echo "$headers" | awk '/DLL Name:/ {printf "%s ", $3}')"
[ "$failures" -eq 0 ]
