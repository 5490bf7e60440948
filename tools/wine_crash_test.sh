#!/usr/bin/env bash
# A program that crashes under Wine ends at once, by itself, with a failing status and Wine's
# line about the fault in its output, and no crash debugger takes it over. A debugger waiting in
# a dialog would hold the test until its CTest timeout.
# Usage: wine_crash_test.sh CRASH_PROBE.exe   (XA_WINE_PREFIX set)
set -euo pipefail

fail() {
  echo "wine_crash_test: $*" >&2
  exit 1
}

set +e
output=$("$(dirname "$0")/wine-run.sh" "$1" 2>&1)
status=$?
set -e
printf '%s\n' "$output"

[ "$status" -ne 0 ] || fail "the crashing program ended with status 0"
grep -q '^crash_probe: writing to address 0' <<<"$output" || fail "the program did not run"
grep -Eq 'Unhandled page fault on write access to 0+ at address' <<<"$output" ||
  fail "no line about the fault in the output"
# winedbg's report, which it prints before ending a program it took over.
if grep -q '^Backtrace:' <<<"$output"; then
  fail "a crash debugger took the program over"
fi
echo "wine_crash_test: the program ended with status $status and its fault reported"
