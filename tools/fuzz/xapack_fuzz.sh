#!/usr/bin/env bash
# Builds xapack's fuzz targets with clang (libFuzzer, ASan, UBSan) and runs one of them:
#   manifest   manifest text through the manifest checks beside a copy of the sample package
#   installer  arbitrary installer bytes through `list`, `list --json` and `extract`
# Usage: tools/fuzz/xapack_fuzz.sh manifest|installer [SECONDS]   (default 60; not part of CI)
# Exits non-zero on any finding; the failing input is left in build/fuzz/NAME/.
set -euo pipefail
cd "$(dirname "$0")/../.."

name=${1:?usage: xapack_fuzz.sh manifest|installer [SECONDS]}
seconds=${2:-60}
case "$name" in
  manifest | installer) ;;
  *) echo "xapack_fuzz.sh: unknown target $name" >&2; exit 2 ;;
esac
out=build/fuzz/$name
mkdir -p "$out/corpus" build/fuzz/include
cp -r /usr/include/toml++ build/fuzz/include/

sources=()
for file in src/package/*.cc src/xapack/*.cc; do
  case "$file" in
    *_test.cc | */main.cc | *_win.cc) ;;
    *) sources+=("$file") ;;
  esac
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc -isystem build/fuzz/include \
  -DXA_SAMPLE_PACKAGE_DIR="\"$PWD/examples/sample-package\"" \
  "tools/fuzz/${name}_fuzzer.cc" "${sources[@]}" -o "$out/${name}_fuzzer"

cp tools/fuzz/seeds/"$name"/* "$out/corpus/"
"$out/${name}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
  -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 5
