#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's source package for the Windows cross targets, as static
# libraries under /opt/xa/<triplet>, where the cross toolchain files look for it. Idempotent:
# a target whose library is already installed is skipped. Needs root for apt-get and /opt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

prefix_base=/opt/xa
triplets=(i686-w64-mingw32 x86_64-w64-mingw32)
declare -A toolchain=([i686-w64-mingw32]=toolchain-i686-mingw.cmake
  [x86_64-w64-mingw32]=toolchain-x86_64-mingw.cmake)

missing=()
for t in "${triplets[@]}"; do
  [ -f "$prefix_base/$t/lib/libjpeg.a" ] || missing+=("$t")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: libjpeg-turbo for ${missing[*]} is missing; run as root to build it" >&2
  exit 1
fi

# Debian's apt sources carry no source entries by default.
sources=/etc/apt/sources.list.d/xa-bookworm-src.sources
if [ ! -f "$sources" ]; then
  cat >"$sources" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq >/dev/null
fi

work=$prefix_base/src
mkdir -p "$work"
source_dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
if [ -z "$source_dir" ]; then
  echo "setup: fetching the libjpeg-turbo source package"
  (cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  source_dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
fi

for t in "${missing[@]}"; do
  echo "setup: building libjpeg-turbo for $t"
  build_dir=$work/build-$t
  rm -rf "$build_dir"
  cmake -Wno-dev -S "$source_dir" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/${toolchain[$t]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix_base/$t" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JPEG8=OFF >/dev/null 2>&1
  cmake --build "$build_dir" -j2 --target install >/dev/null
  rm -rf "$build_dir"
done
