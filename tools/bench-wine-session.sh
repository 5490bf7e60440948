# Sourced by the Wine benchmarks with `windows` set to a Windows build folder: under an X server
# (the calling script runs again under xvfb-run when there is none), in the build's benchmark
# prefix, with the loader that runs its programs (the 32-bit one for a win32 build, wine64 for a
# win64 one), and a persistent wineserver (tools/wine-server.sh) so that no run pays for starting
# Wine's services. The caller sets its own EXIT trap, which must end with `wineserver -k`, or
# has use_bench_folder (below) set one. Also defines the benchmarks' shared helpers below.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tools=$(dirname "${BASH_SOURCE[0]}")
prefix=$windows/bench-wineprefix
source "$tools/wine-env.sh" "$prefix"
export WINELOADER=/usr/lib/wine/wine64
if ! "$tools/pe-is-64bit.sh" "$windows/src/engine/enginectl.exe"; then
  WINELOADER=/usr/lib/wine/wine
fi
echo "measured: $windows ($(basename "$WINELOADER") loader)"

"$tools/wine-server.sh" start "$prefix"

# For the benchmarks that install into a terminal: sets `bench` to drive C's folder FOLDER,
# emptied, and defines remove_outputs, which removes all that installing the program NAME left
# below drive C and makes $bench/MT4 a terminal folder holding terminal.exe alone; the EXIT trap
# removes both and ends the wineserver.
# Usage: use_bench_folder FOLDER NAME
use_bench_folder() {
  bench=$prefix/drive_c/$1
  bench_program=$2
  remove_outputs() {
    find "$prefix/drive_c" -path "*$bench_program*" -prune -exec rm -rf {} + 2>/dev/null || true
    rm -rf "$bench/MT4"
    mkdir -p "$bench/MT4"
    cp "$windows/src/engine/terminal.exe" "$bench/MT4/"
  }
  trap 'wineserver -k || true; remove_outputs; rm -rf "$bench"' EXIT
  rm -rf "$bench"
}

# Writes the package $bench/package: $files small files in files/ and package.toml, which names
# the program NAME and installs them all into the terminal's MQL4\Experts\Benchmark.
# Usage: write_file_package NAME
write_file_package() {
  local i
  mkdir -p "$bench/package/files"
  {
    printf '[program]\nname = "%s"\nversion = "1.0"\n' "$1"
    for i in $(seq -w 1 "$files"); do
      printf 'Expert %s\n' "$i" >"$bench/package/files/$i.ex4"
      printf '\n[[file]]\nsource = "files/%s.ex4"\ntarget = "{metatrader}\\\\MQL4\\\\Experts\\\\Benchmark\\\\Expert %s.ex4"\n' "$i" "$i"
    done
  } >"$bench/package/package.toml"
}

now() { date +%s%N; }

declare -A best
# Runs the command, its output left out, and keeps its time (nanoseconds) in best[KEY] when it
# is the best so far; a failing command ends the benchmark.
# Usage: keep_best KEY COMMAND...
keep_best() {
  local key=$1 start elapsed
  shift
  start=$(now)
  "$@" >/dev/null
  elapsed=$(($(now) - start))
  if [ -z "${best[$key]:-}" ] || [ "$elapsed" -lt "${best[$key]}" ]; then
    best[$key]=$elapsed
  fi
}
