#!/usr/bin/env bash
# Builds the link label's mark-up fuzz target with libFuzzer, ASan and UBSan and runs it.
# Usage: linklabel_fuzz.sh [SECONDS]   (default 60). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
out=build/fuzz/linklabel
mkdir -p "$out/corpus"

src=src/linklabel
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I src -o "$out/linklabel_fuzz" tools/fuzz/linklabel_fuzz.cc \
  $src/element_enumerator.cc $src/link_tools.cc $src/node.cc $src/node_enumerators.cc \
  $src/node_tree.cc $src/parser.cc $src/renderer.cc $src/text_handler.cc $src/uni_utils.cc \
  $src/word_enumerator.cc $src/ansi_posix.cc $src/test_canvas.cc $src/tree_dump.cc

# Seeds: a width byte followed by UTF-16LE captions.
cp tools/fuzz/seeds/linklabel/* "$out/corpus/"

"$out/linklabel_fuzz" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 \
  -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 5
