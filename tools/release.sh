#!/usr/bin/env bash
# Builds the release bundles for vendors into dist/: xapack-VERSION-windows.zip (xapack.exe and
# xasetup.exe of the win32 build) and xapack-VERSION-linux-x86_64.tar.gz (xapack of the
# release-linux build with the same xasetup.exe), each with the sample package, the vendor guide
# and the licences, and SHA256SUMS for both. The same commit gives the same bytes: every time in
# the bundles is SOURCE_DATE_EPOCH, by default the last commit's.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

if [ -z "${SOURCE_DATE_EPOCH:-}" ] && ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null)
then
  echo "release: not a git checkout; set SOURCE_DATE_EPOCH to the bundles' time" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target xapack xasetup
cmake --preset release-linux >/dev/null
cmake --build --preset release-linux

# The package presets' folders hold this run's bundles only.
rm -rf build/win32/bundle build/release-linux/bundle
cpack --preset bundle-windows
cpack --preset bundle-linux

rm -rf dist
mkdir dist
cp build/win32/bundle/xapack-*.zip build/release-linux/bundle/xapack-*.tar.gz dist/
cd dist
sha256sum -- xapack-* >SHA256SUMS
for file in xapack-*; do
  echo "release: dist/$file ($(stat -c %s "$file") bytes)"
done
