#!/usr/bin/env bash
# Builds one of xapack's fuzzers (the fuzz preset: libFuzzer, ASan, UBSan) and runs it:
#   manifest   manifest text through the manifest checks beside a copy of the sample package
#   installer  arbitrary installer bytes through `list`, `list --json` and `extract`
# Usage: tools/fuzz/xapack_fuzz.sh manifest|installer [SECONDS]   (default 60)
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
bash tools/fuzz/build.sh "${name}_fuzzer"
mkdir -p "$out/corpus"
cp tools/fuzz/seeds/"$name"/* "$out/corpus/"
"build/fuzz/tools/fuzz/${name}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=65536 -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 5
