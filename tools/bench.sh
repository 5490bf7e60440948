#!/usr/bin/env bash
# Builds the host preset and runs the cipher benchmark: deciphering a 64 MiB stored content
# file to file against a plain copy of the same bytes. Extra arguments go to the benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset host >/dev/null
cmake --build --preset host -j2 --target cipher_benchmark
build/host/bench/cipher_benchmark "$@"
