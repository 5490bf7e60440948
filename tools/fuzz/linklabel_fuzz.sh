#!/usr/bin/env bash
# Builds the link label's mark-up fuzzer (the fuzz preset: libFuzzer, ASan, UBSan) and runs it.
# Usage: tools/fuzz/linklabel_fuzz.sh [SECONDS]   (default 60). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz/linklabel
bash tools/fuzz/build.sh linklabel_fuzzer
mkdir -p "$out/corpus"
# Seeds: a width byte followed by UTF-16LE captions.
cp tools/fuzz/seeds/linklabel/* "$out/corpus/"
build/fuzz/tools/fuzz/linklabel_fuzzer -max_total_time="$seconds" -rss_limit_mb=1024 \
  -timeout=10 -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 5
