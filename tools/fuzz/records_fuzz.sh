#!/usr/bin/env bash
# Builds the record-loading fuzzer with clang (libFuzzer, ASan, UBSan) and runs it.
# Usage: tools/fuzz/records_fuzz.sh [SECONDS]   (default 60; not part of CI)
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/records_corpus"
sources=()
for name in description_io errors file_stream_posix memory_stream record_location scramble stream \
  tag_stream xa_data xa_install xa_uninstall; do
  sources+=("src/package/$name.cc")
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  tools/fuzz/records_fuzzer.cc "${sources[@]}" -o "$out/records_fuzzer"
# Seeds: a first byte choosing the magic (odd: uninstall record), then the record after it.
cp tools/fuzz/seeds/records/* "$out/records_corpus/"
"$out/records_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$out/" "$out/records_corpus" 2>&1 | tail -n 5
