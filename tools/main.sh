#!/usr/bin/env bash
# The main job: installs what is missing and builds the Windows program (build/win32).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "Windows programs:"
find build/win32/src -maxdepth 2 -name '*.exe' ! -name '*_tests.exe' -printf '  %p (%s bytes)\n'
