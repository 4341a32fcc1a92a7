#!/bin/sh
# Builds both presets and runs postinstall on the sample product under Wine, then shows the
# launcher script it wrote. The sample is copied to build/sample/product and run there, in a Wine
# prefix of its own (build/sample/wine-prefix).
#
# Only 64-bit Wine runs on these machines, so the program run is the 64-bit build of the same
# sources; the shipped 32-bit program is build/mingw-x86/bin/postinstall.exe.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
sh scripts/build.sh

work=build/sample
rm -rf "$work"
mkdir -p "$work"
cp -R sample/product "$work/product"
installer="$work/product/quenda/vazezazoza.win64/bin/installer"
cp build/mingw-x64/bin/postinstall.exe "$installer/postinstall.exe"

export WINEPREFIX="$PWD/$work/wine-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
echo "Creating a Wine prefix (about 10 s)..."
wineboot -i </dev/null >"$work/wine.log" 2>&1
wine "$installer/postinstall.exe" </dev/null >>"$work/wine.log" 2>&1 && status=0 || status=$?
wineserver -w
echo "postinstall exit code: $status"

script="$work/product/quenda/vazezazoza.win64/bin/run_quendabench.bat"
echo "--- $script ($(wc -c <"$script") bytes; CR shown as ^M) ---"
cat -v "$script"
echo "--- end ---"
