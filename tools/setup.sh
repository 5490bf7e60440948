#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to a state where both builds and all tests run.
# Idempotent: installs only what is missing and stays quiet when everything is present.
set -euo pipefail

# Debian packages the project needs, by build. Add new ones here.
host_packages=(cmake g++ ninja-build libgtest-dev libbenchmark-dev
  libtomlplusplus-dev clang libclang-rt-14-dev clang-format python3)
win32_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine32:i386 wine64 xvfb xauth
  dpkg-dev osslsigncode openssl)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages ($*); run as root to install them" >&2
    exit 1
  fi
}

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

ensure_i386() {
  dpkg --print-foreign-architectures | grep -qx i386 && return
  need_root "i386 architecture"
  dpkg --add-architecture i386
  apt_updated=
}

# A mirror being synchronised fails an update now and then ("File has unexpected size"); try
# again, and fall back on the package lists at hand rather than failing the set-up.
apt_update() {
  local attempt
  for attempt in 1 2 3; do
    apt-get update -qq >/dev/null && return
    echo "setup: apt-get update failed (attempt $attempt of 3)" >&2
    sleep 10
  done
  echo "setup: installing from the package lists at hand" >&2
}

apt_updated=
install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return
  need_root "${missing[*]}"
  if [ -z "$apt_updated" ]; then
    apt_update
    apt_updated=1
  fi
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

ensure_i386
install_missing "${host_packages[@]}" "${win32_packages[@]}"
