#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs all tests: the host tests (plain and
# under AddressSanitizer/UBSan), a short run of every fuzzer, the Windows tests under Wine and
# the release bundles' test.
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

# Every fuzzer builds with clang and runs over a few thousand inputs from its seeds.
echo "test: fuzz smoke run"
bash tools/fuzz/smoke.sh

# One X server for the whole Windows run: the tests share one Wine prefix, whose wineserver and
# desktop would lose their display if each test brought its own server and took it down again.
wine_ctest() {
  xvfb-run -a -s "-screen 0 1024x768x24" ctest "$@"
}

# The Windows tests run from the product (win32) where 32-bit Wine runs, else from the 64-bit
# build of the same sources under wine64; XA_WINDOWS_BUILD=win64 forces the latter.
windows=$(tools/windows-build.sh)
build win32
if [ "$windows" = win32 ]; then
  wine_ctest --preset win32
else
  echo "test: Windows tests run from the win64 build under wine64"
  ctest --preset win32 -LE wine
  build win64
  wine_ctest --preset win64
fi

# The release bundles, made and used as vendors use them; takes the win32 build above and its
# Wine prefix.
echo "test: release bundles"
bash tools/release_test.sh
