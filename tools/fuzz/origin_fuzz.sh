#!/usr/bin/env bash
# Builds the origin.txt fuzzer with clang (libFuzzer, ASan, UBSan) and runs it.
# Usage: tools/fuzz/origin_fuzz.sh [SECONDS]   (default 60; not part of CI)
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/origin_corpus"
sources=(src/engine/data_folders.cc src/engine/ansi_case.cc src/engine/ansi_case_posix.cc
  src/engine/path_macros.cc)
for name in description_io errors file_stream_posix memory_stream record_location scramble stream \
  tag_stream xa_data xa_install; do
  sources+=("src/package/$name.cc")
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  tools/fuzz/origin_fuzzer.cc "${sources[@]}" -o "$out/origin_fuzzer"
# Seeds: origin.txt files as terminals write them (UTF-16LE with its mark).
cp tools/fuzz/seeds/origin/* "$out/origin_corpus/"
"$out/origin_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=1100 -artifact_prefix="$out/" "$out/origin_corpus" 2>&1 | tail -n 5
