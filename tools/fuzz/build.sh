#!/usr/bin/env bash
# Configures the fuzz preset and builds the named fuzz targets, or all of them. Scripts run side
# by side (fuzz_all.sh) share the one build tree, so they take turns here.
# Usage: tools/fuzz/build.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/../.."

mkdir -p build
exec {lock}>build/fuzz.lock
flock "$lock"
cmake --preset fuzz >/dev/null
if [ $# -gt 0 ]; then
  cmake --build --preset fuzz --target "$@"
else
  cmake --build --preset fuzz
fi
