#!/usr/bin/env bash
# CI's fuzz smoke run: builds every fuzz target in the fuzz preset and runs each over a fixed
# number of inputs from its seeds (CTest label "fuzz", tools/fuzz/smoke_test.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/fuzz/build.sh
ctest --preset fuzz
