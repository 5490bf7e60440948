#!/usr/bin/env bash
# Builds the origin.txt fuzzer (the fuzz preset: libFuzzer, ASan, UBSan) and runs it.
# Usage: tools/fuzz/origin_fuzz.sh [SECONDS]   (default 60). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz
bash tools/fuzz/build.sh origin_fuzzer
mkdir -p "$out/origin_corpus"
# Seeds: origin.txt files as terminals write them (UTF-16LE with its mark).
cp tools/fuzz/seeds/origin/* "$out/origin_corpus/"
"$out/tools/fuzz/origin_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=1100 -artifact_prefix="$out/" "$out/origin_corpus" 2>&1 | tail -n 5
