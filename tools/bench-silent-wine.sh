#!/usr/bin/env bash
# Installs a package of 3,000 small files into one terminal folder under Wine: silently through
# the installer itself (Setup.exe /S, with its log), and by the engine alone as its own program
# (enginectl.exe, its console output left out), interleaved, Wine's start included in both;
# prints the best of each and their ratio. WINDOWS_BUILD is a win32 or a win64 build.
# Usage: bench-silent-wine.sh HOST_BUILD WINDOWS_BUILD
set -euo pipefail

host=$(realpath "$1")
windows=$(realpath "$2")
files=3000
runs=3
source "$(dirname "$0")/bench-wine-session.sh"
use_bench_folder xa-silent-bench 'XA Silent Benchmark'
write_file_package 'XA Silent Benchmark'
"$host/src/xapack/xapack" build "$bench/package/package.toml" -o "$bench/Setup.exe" \
  --stub "$windows/src/app/xasetup.exe" --key 000102030405060708090a0b0c0d0e0f >/dev/null
cp "$windows/src/engine/enginectl.exe" "$bench/"
"$WINELOADER" cmd /c exit

for _ in $(seq "$runs"); do
  remove_outputs
  keep_best silent "$WINELOADER" 'C:\xa-silent-bench\Setup.exe' /S \
    '/TERMINALS=C:\xa-silent-bench\MT4' '/LOG=C:\xa-silent-bench\silent.log'
  count=$(find "$bench/MT4" -name '*.ex4' | wc -l)
  [ "$count" -eq "$files" ] || { echo "bench: $count of $files files installed" >&2; exit 1; }
  remove_outputs
  keep_best engine "$WINELOADER" 'C:\xa-silent-bench\enginectl.exe' install --quiet \
    'C:\xa-silent-bench\Setup.exe' 'C:\xa-silent-bench\MT4'
done
awk -v s="${best[silent]}" -v e="${best[engine]}" -v n="$files" -v r="$runs" 'BEGIN {
  printf "%d files, best of %d, Wine start included: Setup.exe /S %.3f s, enginectl.exe install %.3f s, ratio %.2f (goal: 1.10 or less)\n", n, r, s / 1e9, e / 1e9, s / e
}'
