#!/usr/bin/env bash
# Installs a package of 3,000 small files into one terminal folder under Wine: silently through
# the installer itself (Setup.exe /S, with its log), and by the engine alone as its own program
# (enginectl.exe, its console output left out), interleaved, Wine's start included in both; prints the best of each and their
# ratio. WINDOWS_BUILD is a win32 or a win64 build.
# Usage: bench-silent-wine.sh HOST_BUILD WINDOWS_BUILD
set -euo pipefail

host=$(realpath "$1")
windows=$(realpath "$2")
files=3000
runs=3
source "$(dirname "$0")/bench-wine-session.sh"
use_bench_folder xa-silent-bench 'XA Silent Benchmark'
mkdir -p "$bench/package/files"

{
  printf '[program]\nname = "XA Silent Benchmark"\nversion = "1.0"\n'
  for i in $(seq -w 1 "$files"); do
    printf 'Expert %s\n' "$i" >"$bench/package/files/$i.ex4"
    printf '\n[[file]]\nsource = "files/%s.ex4"\ntarget = "{metatrader}\\\\MQL4\\\\Experts\\\\Benchmark\\\\Expert %s.ex4"\n' "$i" "$i"
  done
} >"$bench/package/package.toml"
"$host/src/xapack/xapack" build "$bench/package/package.toml" -o "$bench/Setup.exe" \
  --stub "$windows/src/app/xasetup.exe" --key 000102030405060708090a0b0c0d0e0f >/dev/null
cp "$windows/src/engine/enginectl.exe" "$bench/"
"$WINELOADER" cmd /c exit

# Nanoseconds that the command takes, run on fresh outputs.
timed() {
  remove_outputs
  local start
  start=$(date +%s%N)
  "$WINELOADER" "$@" >/dev/null
  echo $(($(date +%s%N) - start))
}

best_silent=0
best_engine=0
for _ in $(seq "$runs"); do
  silent=$(timed 'C:\xa-silent-bench\Setup.exe' /S '/TERMINALS=C:\xa-silent-bench\MT4' \
    '/LOG=C:\xa-silent-bench\silent.log')
  count=$(find "$bench/MT4" -name '*.ex4' | wc -l)
  [ "$count" -eq "$files" ] || { echo "bench: $count of $files files installed" >&2; exit 1; }
  engine=$(timed 'C:\xa-silent-bench\enginectl.exe' install --quiet 'C:\xa-silent-bench\Setup.exe' \
    'C:\xa-silent-bench\MT4')
  if [ "$best_silent" -eq 0 ] || [ "$silent" -lt "$best_silent" ]; then best_silent=$silent; fi
  if [ "$best_engine" -eq 0 ] || [ "$engine" -lt "$best_engine" ]; then best_engine=$engine; fi
done
awk -v s="$best_silent" -v e="$best_engine" -v n="$files" 'BEGIN {
  printf "%d files, best of 3, Wine start included: Setup.exe /S %.3f s, enginectl.exe install %.3f s, ratio %.2f (goal: 1.10 or less)\n", n, s / 1e9, e / 1e9, s / e
}'
