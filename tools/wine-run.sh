#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in the private prefix named by XA_WINE_PREFIX
# (created on first use). Picks the 64-bit loader for PE32+ programs and the 32-bit one for
# PE32 programs. With XA_WINE_DPI set, the prefix's display resolution (its LogPixels value) is
# set to that many dots per inch first; a prefix keeps one resolution, so tests at different
# resolutions use prefixes of their own. Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail

prefix=${XA_WINE_PREFIX:?XA_WINE_PREFIX names the private Wine prefix}
# No Mono or Gecko prompts; and no winemenubuilder, which saving a shortcut starts in the
# background and which then holds the shortcut's target open while a test deletes it. A test's
# own overrides (WINEDLLOVERRIDES in its environment) come after these; Wine's child processes
# take them from the Unix environment, not from the Windows one.
export WINEPREFIX=$prefix WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# Wine's own programs (reg, cmd), named without a path, run under the 64-bit loader.
if [ ! -f "$1" ] || "$(dirname "$0")/pe-is-64bit.sh" "$1"; then
  loader=/usr/lib/wine/wine64
else
  loader=/usr/lib/wine/wine
fi
export WINELOADER=$loader

mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$loader" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  if [ -n "${XA_WINE_DPI:-}" ] && [ "$(cat "$prefix/xa-dpi" 2>/dev/null)" != "$XA_WINE_DPI" ]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
      /d "$XA_WINE_DPI" /f >/dev/null 2>&1
    wineserver -w
    echo "$XA_WINE_DPI" >"$prefix/xa-dpi"
  fi
) 9>"$prefix.lock"

exec "$loader" "$@"
