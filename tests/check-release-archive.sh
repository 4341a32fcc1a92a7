#!/bin/sh
# Builds the release archive of the 32-bit build with CPack and checks that it holds exactly
# the programs, the library, the header, the CMake package, and the documentation.
# Usage: check-release-archive.sh CPACK BUILD_DIR PACKAGE_NAME
set -eu
cpack=$1 build=$2 name=$3
cd "$build"
"$cpack" -G ZIP >/dev/null
archive="package/$name.zip"
[ -f "$archive" ] || { echo "FAIL: $archive was not produced"; exit 1; }
python3 - "$archive" "$name" <<'PY'
import sys, zipfile
archive, name = sys.argv[1], sys.argv[2]
listed = sorted(n[len(name) + 1:] for n in zipfile.ZipFile(archive).namelist() if not n.endswith('/'))
expected = sorted([
    'bin/postinstall.exe', 'bin/preuninstall.exe', 'lib/libsetupsupport.a',
    'include/setupsupport.h', 'doc/README.md', 'doc/LICENSE', 'doc/integration-guide.md',
    'lib/cmake/setupsupport/setupsupportConfig.cmake',
    'lib/cmake/setupsupport/setupsupportConfigVersion.cmake',
    'lib/cmake/setupsupport/setupsupportTargets.cmake',
    'lib/cmake/setupsupport/setupsupportTargets-release.cmake',
])
if listed != expected:
    print('FAIL: archive holds', listed)
    print('      expected    ', expected)
    sys.exit(1)
print(archive, ':', len(listed), 'files as expected')
PY
