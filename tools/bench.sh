#!/usr/bin/env bash
# Builds what the benchmarks need and runs them, each against a plain copy of the same bytes
# measured in the same run: deciphering in memory on every cipher path and a 64 MiB stored
# content file to file, building and extracting a 256 MiB package with xapack, and installing a
# 256 MiB package with enginectl.exe under Wine, and a 3,000-file install through the wizard, and
# silently through the installer (Setup.exe /S), against the engine alone; then races our
# installer against NSIS's. The installs are measured on the product (win32) where 32-bit Wine
# runs, else on the win64 build under wine64 (XA_WINDOWS_BUILD=win64 forces the latter).
# Extra arguments go to the two Google Benchmark programs. XA_BENCH_HOST and XA_BENCH_WINDOWS
# name the build folders (build/host and build/<preset>).
set -euo pipefail
cd "$(dirname "$0")/.."

windows_preset=$(tools/windows-build.sh)
host=${XA_BENCH_HOST:-build/host}
windows=${XA_BENCH_WINDOWS:-build/$windows_preset}

# The bench group brings makensis, which builds the installers that ours race against.
bash tools/setup.sh bench

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "Windows build measured under Wine: $windows_preset ($windows)"
cmake --preset host -B "$host" >/dev/null
cmake --build "$host" -j2 --target cipher_benchmark xapack_benchmark xapack
cmake --preset "$windows_preset" -B "$windows" >/dev/null
cmake --build "$windows" -j2 --target enginectl copy_file wizard_benchmark xasetup fake_terminal

"$host/bench/cipher_benchmark" "$@"
"$host/bench/xapack_benchmark" "$@"
bash tools/bench-install-wine.sh "$host" "$windows"
bash tools/bench-wizard-wine.sh "$host" "$windows"
bash tools/bench-silent-wine.sh "$host" "$windows"
bash tools/bench-nsis-wine.sh "$host" "$windows"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
