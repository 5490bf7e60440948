#!/usr/bin/env bash
# Keeps one wineserver running for the Wine prefix PREFIX while many Wine programs come and go
# in it, as CTest's tests do. A prefix's server otherwise ends once its last program has ended,
# and a program starting just then fails to connect ("wine client error ... Connection reset by
# peer").
#   start: ends what an interrupted run left in the prefix, makes the prefix ready
#     (tools/wine-prefix.sh), then starts a persistent server; with DESKTOP_KEEPER.exe and a
#     display, also that program, which opens the prefix's desktop and holds it until the end.
#     Wine's services and desktop process then write to PREFIX/xa-session.log and not to the
#     output of the first test that needs them, which CTest would wait on until they end.
#   stop: ends the server and every program still running in the prefix.
# Usage: wine-server.sh start PREFIX [DESKTOP_KEEPER.exe] | wine-server.sh stop PREFIX
set -euo pipefail

tools=$(dirname "$0")
action=$1
prefix=$2
keeper=${3:-}
source "$tools/wine-env.sh" "$prefix"
log=$prefix/xa-session.log
ready=$prefix/xa-session.ready

stop() {
  [ -d "$prefix" ] || return 0
  wineserver -k 2>/dev/null || true
  wineserver -w
  rm -f "$ready"
}

case $action in
  start)
    stop
    "$tools/wine-prefix.sh" "$prefix"
    wineserver -p </dev/null >/dev/null 2>"$log"
    if [ -n "$keeper" ] && [ -n "${DISPLAY:-}" ]; then
      mkfifo "$ready"
      XA_WINE_PREFIX=$prefix setsid "$tools/wine-run.sh" "$keeper" </dev/null >"$ready" 2>>"$log" &
      if ! read -r _ <"$ready"; then
        echo "wine-server: $keeper ended before the desktop was open; see $log" >&2
        exit 1
      fi
    fi
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: wine-server.sh start PREFIX [DESKTOP_KEEPER.exe] | stop PREFIX" >&2
    exit 2
    ;;
esac
