#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows program (build/win32) and, from
# the sample package, the installer build/win32/Setup.exe with the package builder xapack (host
# build), and lists what it carries. Then runs the wizard under Wine: with a display, for the
# person at it to use; without one, the scripted walk through the install and the uninstall,
# which saves a picture of every page into build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
echo "Windows programs:"
find build/win32/src -maxdepth 2 -name '*.exe' ! -name '*_tests.exe' -printf '  %p (%s bytes)\n'

cmake --preset host >/dev/null
cmake --build --preset host --target xapack
xapack=build/host/src/xapack/xapack
package=examples/sample-package
$xapack build $package/package.toml -o build/win32/Setup.exe --stub build/win32/src/app/xasetup.exe
echo "build/win32/Setup.exe:"
$xapack list build/win32/Setup.exe

# Under Wine the wizard runs from the i686 build where the kernel executes the 32-bit Wine
# loader, otherwise (or with XA_WINDOWS_BUILD=win64) from the x86_64 build of the same sources.
preset=$(tools/windows-build.sh)
if [ "$preset" = win64 ]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64
  $xapack build $package/package.toml -o build/win64/Setup.exe \
    --stub build/win64/src/app/xasetup.exe
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting build/$preset/Setup.exe under Wine (prefix build/$preset/wineprefix)"
  XA_WINE_PREFIX=$PWD/build/$preset/wineprefix tools/wine-run.sh "build/$preset/Setup.exe"
  exit
fi

echo "No display: walking through the install and the uninstall of build/$preset/Setup.exe"
rm -rf build/screenshots
tools/wizard-walk.sh "$PWD/build/$preset/walkprefix" "build/$preset/src/app/wizard_walk.exe" \
  "build/$preset/Setup.exe" "$PWD/$package" "build/$preset/src/engine/terminal.exe" \
  "$PWD/build/screenshots" >/dev/null
echo "Screenshots of every page:"
ls -1v build/screenshots/*.png | sed 's/^/  /'
