#!/usr/bin/env bash
# Installs a package of 3,000 small files into one terminal folder under Wine, through the
# wizard on screen and by the engine alone, side by side in one process (wizard_benchmark.exe),
# and prints the best times and their ratio; then the engine alone as its own program
# (enginectl.exe, Wine's start included). WINDOWS_BUILD is a win32 or a win64 build.
# Usage: bench-wizard-wine.sh HOST_BUILD WINDOWS_BUILD
set -euo pipefail

host=$(realpath "$1")
windows=$(realpath "$2")
files=3000
runs=3
source "$(dirname "$0")/bench-wine-session.sh"
use_bench_folder xa-wizard-bench 'XA Wizard Benchmark'
write_file_package 'XA Wizard Benchmark'
"$host/src/xapack/xapack" build "$bench/package/package.toml" -o "$bench/Setup.exe" \
  --stub "$windows/src/engine/enginectl.exe" --key 000102030405060708090a0b0c0d0e0f >/dev/null
cp "$windows/src/engine/enginectl.exe" "$windows/bench/wizard_benchmark.exe" "$bench/"
remove_outputs
"$WINELOADER" cmd /c exit

"$WINELOADER" 'C:\xa-wizard-bench\wizard_benchmark.exe' 'C:\xa-wizard-bench\Setup.exe' \
  'C:\xa-wizard-bench\MT4' "$runs" | tr -d '\r'
count=$(find "$bench/MT4" -name '*.ex4' | wc -l)
[ "$count" -eq "$files" ] || { echo "bench: $count of $files files installed" >&2; exit 1; }

for _ in $(seq "$runs"); do
  remove_outputs
  keep_best engine "$WINELOADER" 'C:\xa-wizard-bench\enginectl.exe' install \
    'C:\xa-wizard-bench\Setup.exe' 'C:\xa-wizard-bench\MT4'
done
awk -v n="${best[engine]}" 'BEGIN { printf "enginectl.exe install, Wine start included: %.3f s\n", n / 1e9 }'
