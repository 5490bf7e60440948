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
source "$(dirname "$0")/bench-wine-session.sh"
bench=$prefix/drive_c/xa-wizard-bench
remove_outputs() {
  find "$prefix/drive_c" -path '*XA Wizard Benchmark*' -prune -exec rm -rf {} + 2>/dev/null || true
  rm -rf "$bench/MT4"
  mkdir -p "$bench/MT4"
}
trap 'wineserver -k || true; remove_outputs; rm -rf "$bench"' EXIT
rm -rf "$bench"
mkdir -p "$bench/package/files"

{
  printf '[program]\nname = "XA Wizard Benchmark"\nversion = "1.0"\n'
  for i in $(seq -w 1 "$files"); do
    printf 'Expert %s\n' "$i" >"$bench/package/files/$i.ex4"
    printf '\n[[file]]\nsource = "files/%s.ex4"\ntarget = "{metatrader}\\\\MQL4\\\\Experts\\\\Benchmark\\\\Expert %s.ex4"\n' "$i" "$i"
  done
} >"$bench/package/package.toml"
"$host/src/xapack/xapack" build "$bench/package/package.toml" -o "$bench/Setup.exe" \
  --stub "$windows/src/engine/enginectl.exe" --key 000102030405060708090a0b0c0d0e0f >/dev/null
cp "$windows/src/engine/enginectl.exe" "$windows/bench/wizard_benchmark.exe" "$bench/"
remove_outputs
"$WINELOADER" cmd /c exit

"$WINELOADER" 'C:\xa-wizard-bench\wizard_benchmark.exe' 'C:\xa-wizard-bench\Setup.exe' \
  'C:\xa-wizard-bench\MT4' 3 | tr -d '\r'
count=$(find "$bench/MT4" -name '*.ex4' | wc -l)
[ "$count" -eq "$files" ] || { echo "bench: $count of $files files installed" >&2; exit 1; }

best=0
for _ in 1 2 3; do
  remove_outputs
  start=$(date +%s%N)
  "$WINELOADER" 'C:\xa-wizard-bench\enginectl.exe' install 'C:\xa-wizard-bench\Setup.exe' \
    'C:\xa-wizard-bench\MT4' >/dev/null
  elapsed=$(($(date +%s%N) - start))
  if [ "$best" -eq 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done
awk -v n="$best" 'BEGIN { printf "enginectl.exe install, Wine start included: %.3f s\n", n / 1e9 }'
