#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows program (build/win32), builds the
# installer build/win32/Setup.exe from the sample package with the package builder xapack
# (host build) and lists what it carries.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "Windows programs:"
find build/win32/src -maxdepth 2 -name '*.exe' ! -name '*_tests.exe' -printf '  %p (%s bytes)\n'

cmake --preset host >/dev/null
cmake --build --preset host --target xapack
stub=build/win32/src/app/xasetup.exe
build/host/src/xapack/xapack build examples/sample-package/package.toml \
  -o build/win32/Setup.exe --stub "$stub"
echo "build/win32/Setup.exe:"
build/host/src/xapack/xapack list build/win32/Setup.exe
