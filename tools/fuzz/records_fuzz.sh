#!/usr/bin/env bash
# Builds the record-loading fuzzer (the fuzz preset: libFuzzer, ASan, UBSan) and runs it.
# Usage: tools/fuzz/records_fuzz.sh [SECONDS]   (default 60). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz
bash tools/fuzz/build.sh records_fuzzer
mkdir -p "$out/records_corpus"
# Seeds: a first byte choosing the magic (odd: uninstall record), then the record after it.
cp tools/fuzz/seeds/records/* "$out/records_corpus/"
"$out/tools/fuzz/records_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$out/" "$out/records_corpus" 2>&1 | tail -n 5
