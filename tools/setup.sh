#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to a state where both builds and all tests run; groups named
# as arguments bring what else their tasks need (`bench`: the benchmarks, tools/bench.sh).
# Idempotent: installs only what is missing and stays quiet when everything is present.
# Usage: setup.sh [bench]
# 32-bit Wine is installed on its own: where it cannot be (no i386 packages, or a mirror whose
# i386 lists lag behind the amd64 ones), the Windows tests run from the win64 build under wine64
# instead (tools/windows-build.sh), so the set-up says so in one line and succeeds.
set -euo pipefail

# Debian packages the project needs, by build. Add new ones here.
host_packages=(cmake g++ ninja-build libgtest-dev libbenchmark-dev
  libtomlplusplus-dev clang libclang-rt-14-dev clang-format python3)
windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb xauth
  dpkg-dev osslsigncode openssl)
# Packing the release bundles (tools/release.sh).
release_packages=(zip)
# The race against NSIS (tools/bench-nsis-wine.sh) builds its installers with makensis.
bench_packages=(nsis)
# Only running the i686 build needs these; apt brings the i386 libraries they depend on.
wine32_packages=(wine32:i386)

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

without_wine32() {
  echo "setup: 32-bit Wine (wine32:i386) could not be installed: $1." \
    "The Windows tests, the benchmarks and the walk will run from the win64 build under wine64;" \
    "run the set-up again later to retry." >&2
}

# A mirror being synchronised fails an update now and then ("File has unexpected size"); try
# again, and fall back on the package lists at hand rather than failing the set-up.
update_failed=
apt_update() {
  local attempt=1
  until apt-get update -qq >/dev/null; do
    echo "setup: apt-get update failed (attempt $attempt of 3)" >&2
    if [ "$attempt" -eq 3 ]; then
      update_failed=1
      echo "setup: installing from the package lists at hand" >&2
      return
    fi
    attempt=$((attempt + 1))
    sleep 10
  done
}

# Never removes a package: where the i386 libraries lag behind their amd64 twins, apt would
# otherwise make room for wine32 by removing wine64.
apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends --no-remove \
    "$@" >/dev/null
}

# Adding the architecture is harmless where no i386 packages turn up after all, so it stays.
add_i386() {
  dpkg --print-foreign-architectures | grep -qx i386 && return
  dpkg --add-architecture i386
}

group_packages=()
for group in "$@"; do
  case $group in
    bench) group_packages+=("${bench_packages[@]}") ;;
    *)
      echo "setup: unknown group \"$group\" (known: bench)" >&2
      exit 2
      ;;
  esac
done

mapfile -t missing < <(missing_packages "${host_packages[@]}" "${windows_packages[@]}" \
  "${release_packages[@]}" "${group_packages[@]}")
mapfile -t missing32 < <(missing_packages "${wine32_packages[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing32[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if [ ${#missing[@]} -gt 0 ]; then
    all_missing=("${missing[@]}" "${missing32[@]}")
    echo "setup: missing packages (${all_missing[*]}); run as root to install them" >&2
    exit 1
  fi
  without_wine32 "installing it needs root"
  exit 0
fi

wine32_failure=
if [ ${#missing32[@]} -gt 0 ] && ! errors=$(add_i386 2>&1); then
  wine32_failure="dpkg --add-architecture i386 failed ($(tail -n 1 <<<"$errors"))"
fi
if [ ${#missing[@]} -gt 0 ] || { [ ${#missing32[@]} -gt 0 ] && [ -z "$wine32_failure" ]; }; then
  apt_update
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! apt_install "${missing[@]}"; then
    echo "setup: could not install ${missing[*]} (see apt-get's errors above)" >&2
    exit 1
  fi
fi

if [ ${#missing32[@]} -gt 0 ] && [ -z "$wine32_failure" ]; then
  echo "setup: installing ${missing32[*]}"
  if ! errors=$(apt_install "${missing32[@]}" 2>&1); then
    error=$(sed -n 's/^E: //p' <<<"$errors" | tail -n 1)
    wine32_failure="apt-get install failed${error:+: ${error%.}}"
    if [ -n "$update_failed" ]; then
      wine32_failure+="; apt-get update had failed too (a mirror in mid-sync?)"
    fi
  fi
fi
if [ -n "$wine32_failure" ]; then
  without_wine32 "$wine32_failure"
fi
