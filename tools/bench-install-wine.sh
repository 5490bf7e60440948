#!/usr/bin/env bash
# Installs a 256 MiB package with enginectl.exe under Wine and copies the same installer with
# CopyFileA (copy_file.exe), both in one Wine session, a few times each, and prints the best
# times and their ratio; then the same for a 16-byte package, to show what each costs whatever
# the size. WINDOWS_BUILD is a win32 build (run by the 32-bit loader) or a win64 one (wine64).
# Usage: bench-install-wine.sh HOST_BUILD WINDOWS_BUILD
set -euo pipefail

host=$(realpath "$1")
windows=$(realpath "$2")
runs=5
size=$((256 << 20))
source "$(dirname "$0")/bench-wine-session.sh"
bench=$prefix/drive_c/xa-bench
remove_outputs() {
  find "$prefix/drive_c" -path '*XA Install Benchmark*' -prune -exec rm -rf {} + 2>/dev/null || true
  rm -f "$bench/copy.bin"
}
trap 'wineserver -k || true; remove_outputs; rm -rf "$bench"' EXIT

rm -rf "$bench"

# Builds the installer $bench/NAME.exe of one package file of `bytes` random bytes.
build_installer() {
  local name=$1 bytes=$2
  mkdir -p "$bench/$name"
  head -c "$bytes" /dev/urandom >"$bench/$name/payload.bin"
  cat >"$bench/$name/package.toml" <<'TOML'
[program]
name = "XA Install Benchmark"
version = "1.0"

[[file]]
source = "payload.bin"
target = "{app}\\payload.bin"
TOML
  "$host/src/xapack/xapack" build "$bench/$name/package.toml" -o "$bench/$name.exe" \
    --stub "$windows/src/engine/enginectl.exe" --key 000102030405060708090a0b0c0d0e0f >/dev/null
}

mkdir -p "$bench/MT4"
build_installer Setup "$size"
build_installer Small 16
cp "$windows/src/engine/enginectl.exe" "$windows/bench/copy_file.exe" "$bench/"
"$WINELOADER" cmd /c exit

# Keeps in best[KEY] the best of `runs` wall times of the Windows command line given, each run
# on fresh outputs.
best_of_runs() {
  local key=$1
  shift
  for _ in $(seq "$runs"); do
    remove_outputs
    sync
    keep_best "$key" "$WINELOADER" "$@"
  done
}

best_of_runs install 'C:\xa-bench\enginectl.exe' install 'C:\xa-bench\Setup.exe' 'C:\xa-bench\MT4'
installed=$(find "$prefix/drive_c" -path '*XA Install Benchmark*' -name payload.bin | head -n1)
cmp -s "$installed" "$bench/Setup/payload.bin" || { echo "bench: installed file differs" >&2; exit 1; }
best_of_runs copy 'C:\xa-bench\copy_file.exe' 'C:\xa-bench\Setup.exe' 'C:\xa-bench\copy.bin'
cmp -s "$bench/copy.bin" "$bench/Setup.exe" || { echo "bench: copied file differs" >&2; exit 1; }
best_of_runs small_install 'C:\xa-bench\enginectl.exe' install 'C:\xa-bench\Small.exe' 'C:\xa-bench\MT4'
best_of_runs small_copy 'C:\xa-bench\copy_file.exe' 'C:\xa-bench\Small.exe' 'C:\xa-bench\copy.bin'

awk -v i="${best[install]}" -v c="${best[copy]}" -v si="${best[small_install]}" \
  -v sc="${best[small_copy]}" -v n="$size" 'BEGIN {
  printf "install 256 MiB under Wine:   %6.3f s %9.1f MB/s\n", i / 1e9, n / (i / 1e9) / 1e6
  printf "CopyFileA same installer:     %6.3f s %9.1f MB/s\n", c / 1e9, n / (c / 1e9) / 1e6
  printf "install/copy ratio: %.3f\n", c / i
  printf "16-byte package: install %.3f s, copy %.3f s; without these fixed costs\n", si / 1e9, sc / 1e9
  printf "install/copy ratio: %.3f\n", (c - sc) / (i - si)
}'
