#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in the private prefix named by XA_WINE_PREFIX,
# made ready first by tools/wine-prefix.sh (created on first use; no crash debugger, so a
# crashing program ends at once with the fault on its error output). Picks the 64-bit loader for
# PE32+ programs and the 32-bit one for PE32 programs. With XA_WINE_DPI set, the prefix's display
# resolution (its LogPixels value) is set to that many dots per inch first; a prefix keeps one
# resolution, so tests at different resolutions use prefixes of their own.
# Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail

prefix=${XA_WINE_PREFIX:?XA_WINE_PREFIX names the private Wine prefix}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tools=$(dirname "$0")
# A test's own overrides come after the common ones; Wine's child processes take them from the
# Unix environment, not from the Windows one.
own_overrides=${WINEDLLOVERRIDES:-}
source "$tools/wine-env.sh" "$prefix"
WINEDLLOVERRIDES+=${own_overrides:+;$own_overrides}

# Wine's own programs (reg, cmd), named without a path, run under the 64-bit loader.
if [ ! -f "$1" ] || "$tools/pe-is-64bit.sh" "$1"; then
  loader=/usr/lib/wine/wine64
else
  loader=/usr/lib/wine/wine
fi
export WINELOADER=$loader

"$tools/wine-prefix.sh" "$prefix"
exec "$loader" "$@"
