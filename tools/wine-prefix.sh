#!/usr/bin/env bash
# Makes the Wine prefix PREFIX ready for the project's programs: creates it on first use, takes
# away Wine's crash debugger and, with XA_WINE_DPI set, sets its display resolution (LogPixels).
# Every prefix the project makes goes through here. Each setting is made once and remembered in
# a stamp in the prefix, so a prefix made by an earlier version gets what it lacks on its next
# use. Changes wait for the prefix's wineserver to end, so that Wine's processes start again with
# them: run it while no persistent wineserver holds the prefix (tools/wine-server.sh start does).
# Usage: wine-prefix.sh PREFIX
set -euo pipefail

tools=$(dirname "$0")
source "$tools/wine-env.sh" "$1"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
reg() {
  /usr/lib/wine/wine64 reg "$@" >/dev/null
}

# Raised whenever the settings below change, so that existing prefixes take them up once.
settings=1

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  if [ "$(cat "$WINEPREFIX/xa-settings" 2>/dev/null)" != "$settings" ]; then
    # Wine starts winedbg on a crash, which waits in a dialog that nobody headless answers; it
    # does so too when the value is missing, but an empty one cannot start, and the crashing
    # program ends at once with Wine's "Unhandled ..." line on its error output. 32-bit programs
    # read the 32-bit view of the key.
    for view in 32 64; do
      reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
        "/reg:$view"
    done
    # winedbg started by hand reports a crash on its output instead of in a dialog.
    reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    wineserver -w
    echo "$settings" >"$WINEPREFIX/xa-settings"
  fi
  if [ -n "${XA_WINE_DPI:-}" ] && [ "$(cat "$WINEPREFIX/xa-dpi" 2>/dev/null)" != "$XA_WINE_DPI" ]; then
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$XA_WINE_DPI" /f
    wineserver -w
    echo "$XA_WINE_DPI" >"$WINEPREFIX/xa-dpi"
  fi
) 9>"$WINEPREFIX.lock"
