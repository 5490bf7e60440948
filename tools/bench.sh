#!/usr/bin/env bash
# Builds the host preset and runs the throughput benchmarks, each against a plain copy of the
# same bytes measured in the same run: deciphering a 64 MiB stored content file to file, and
# building a 256 MiB package with xapack. Extra arguments go to both benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset host >/dev/null
cmake --build --preset host -j2 --target cipher_benchmark xapack_benchmark
build/host/bench/cipher_benchmark "$@"
build/host/bench/xapack_benchmark "$@"
