# Sourced by the Wine benchmarks with `windows` set to a Windows build folder: under an X server
# (the calling script runs again under xvfb-run when there is none), in the build's benchmark
# prefix, with the loader that runs its programs (the 32-bit one for a win32 build, wine64 for a
# win64 one), and a persistent wineserver (tools/wine-server.sh) so that no run pays for starting
# Wine's services. The caller sets its own EXIT trap, which must end with `wineserver -k`.
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
