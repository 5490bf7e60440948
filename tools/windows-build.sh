#!/usr/bin/env bash
# Prints the build preset whose programs the Windows tests, the benchmarks and the walk run
# under Wine: win32 (the product itself) where this machine runs the 32-bit Wine loader, else
# win64 under wine64. XA_WINDOWS_BUILD=win64 forces the 64-bit path on a machine that could run
# either, so both paths can be tried before submitting; XA_WINDOWS_BUILD=win32 insists on the
# product and fails where 32-bit Wine cannot run.
set -euo pipefail
tools=$(dirname "$0")

case "${XA_WINDOWS_BUILD:-}" in
  "")
    if "$tools/can-run-win32.sh"; then echo win32; else echo win64; fi
    ;;
  win64)
    echo win64
    ;;
  win32)
    if ! "$tools/can-run-win32.sh"; then
      echo "XA_WINDOWS_BUILD=win32, but this machine cannot run the 32-bit Wine loader" >&2
      exit 1
    fi
    echo win32
    ;;
  *)
    echo "XA_WINDOWS_BUILD must be win32 or win64, not '$XA_WINDOWS_BUILD'" >&2
    exit 1
    ;;
esac
