#!/usr/bin/env bash
# Walks the wizard of an installer and then of the uninstaller it leaves, as a person would
# (src/app/walk), and saves a picture of every page. Runs in a Wine prefix of its own whose
# virtual desktop draws the window frames, so that the pictures show them without a window
# manager, XA_WALK_DESKTOP pixels big (800x600 unless set). XA_WINE_DPI sets the prefix's
# display resolution (tools/wine-run.sh).
# Usage: wizard-walk.sh PREFIX WIZARD_WALK.exe SETUP.exe PACKAGE_FOLDER TERMINAL.exe SHOTS_FOLDER
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
tools=$(dirname "$0")
wine_run=$tools/wine-run.sh
export XA_WINE_PREFIX=$1
shift

# One wineserver for the walk's programs; at the end it takes down whatever of the prefix still
# runs (the programs of a walk that failed), while their X server is still there.
"$tools/wine-server.sh" start "$XA_WINE_PREFIX"
trap '"$tools/wine-server.sh" stop "$XA_WINE_PREFIX"' EXIT

"$wine_run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Walk /f >/dev/null
"$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Walk /d "${XA_WALK_DESKTOP:-800x600}" /f >/dev/null
# The uninstaller's self-removal batch echoes its commands; only the walk's own lines count.
set +e
"$wine_run" "$@" | grep -E '^(screenshot|wizard_walk):'
exit "${PIPESTATUS[0]}"
