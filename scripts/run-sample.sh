#!/bin/sh
# Builds both presets and runs postinstall on the sample product under Wine, then shows the
# launcher script it wrote and the two Start Menu shortcuts it made (as lnkinfo reads them), then
# runs preuninstall and shows that they are gone. The sample is copied to build/sample/product and
# run there, in a Wine prefix of its own (build/sample/wine-prefix).
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
cp build/mingw-x64/bin/postinstall.exe build/mingw-x64/bin/preuninstall.exe "$installer/"

export WINEPREFIX="$PWD/$work/wine-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
echo "Creating a Wine prefix (about 10 s)..."
wineboot -i </dev/null >"$work/wine.log" 2>&1
wine "$installer/postinstall.exe" </dev/null >>"$work/wine.log" 2>&1 && status=0 || status=$?
echo "postinstall exit code: $status"

script="$work/product/quenda/vazezazoza.win64/bin/run_quendabench.bat"
echo "--- $script ($(wc -c <"$script") bytes; CR shown as ^M) ---"
cat -v "$script"
echo "--- end ---"

programs="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
echo "--- Start Menu shortcuts (under $programs) ---"
find "$programs/Quenda Workbench 4" -name '*.lnk' | sort | while read -r link; do
    echo "${link#"$programs/"}"
    lnkinfo "$link" | grep -E 'Local path|Command line arguments|Working directory|Description|Icon location' |
        sed 's/^[[:space:]]*/    /'
    echo "    Show command: $(od -An -tu4 -j60 -N4 "$link" | tr -d ' ')"
done

wine "$installer/preuninstall.exe" </dev/null >>"$work/wine.log" 2>&1 && status=0 || status=$?
wineserver -w
echo "--- preuninstall exit code: $status ---"
if [ -e "$programs/Quenda Workbench 4" ]; then
    echo "left behind:"
    find "$programs/Quenda Workbench 4"
else
    echo "Start Menu folder 'Quenda Workbench 4' and both shortcuts removed."
fi

(cd build/mingw-x86 && cpack -G ZIP >/dev/null)
echo "Release archive of the 32-bit build: build/mingw-x86/package/setupsupport-*-win32.zip"
