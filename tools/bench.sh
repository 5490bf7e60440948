#!/usr/bin/env bash
# Builds what the benchmarks need and runs them, each against a plain copy of the same bytes
# measured in the same run: deciphering in memory on every cipher path and a 64 MiB stored
# content file to file, building a 256 MiB package with xapack, and installing a 256 MiB package
# with enginectl.exe under wine64; and a 3,000-file install through the wizard against the engine
# alone. Extra arguments go to the two Google Benchmark programs.
# XA_BENCH_HOST and XA_BENCH_WIN64 name the build folders (build/host and build/win64).
set -euo pipefail
cd "$(dirname "$0")/.."

host=${XA_BENCH_HOST:-build/host}
win64=${XA_BENCH_WIN64:-build/win64}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
cmake --preset host -B "$host" >/dev/null
cmake --build "$host" -j2 --target cipher_benchmark xapack_benchmark xapack
cmake --preset win64 -B "$win64" >/dev/null
cmake --build "$win64" -j2 --target enginectl copy_file wizard_benchmark

"$host/bench/cipher_benchmark" "$@"
"$host/bench/xapack_benchmark" "$@"
bash tools/bench-install-wine.sh "$host" "$win64"
bash tools/bench-wizard-wine.sh "$host" "$win64"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
