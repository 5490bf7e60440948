#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs all tests: the host tests (plain and
# under AddressSanitizer/UBSan) and the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

for preset in host host-debug; do
  build "$preset"
  ctest --preset "$preset"
done

build win32
if tools/can-run-win32.sh; then
  ctest --preset win32
else
  # The kernel here cannot execute the 32-bit Wine loader: run the Windows tests from the 64-bit
  # build of the same sources under wine64.
  echo "test: 32-bit Wine cannot run on this machine; Windows tests run from the win64 build"
  ctest --preset win32 -LE wine
  build win64
  ctest --preset win64
fi
