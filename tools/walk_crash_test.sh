#!/usr/bin/env bash
# The walk (tools/wizard-walk.sh) given a program that crashes in place of the installer fails
# at once, saying that the program ended and with which exit code, instead of waiting out its
# page timeout for a wizard window that can no longer come.
# Usage: walk_crash_test.sh PREFIX WIZARD_WALK.exe CRASH_PROBE.exe PACKAGE_FOLDER TERMINAL.exe
#        SHOTS_FOLDER
set -euo pipefail

fail() {
  echo "walk_crash_test: $*" >&2
  exit 1
}

set +e
output=$("$(dirname "$0")/wizard-walk.sh" "$@" 2>&1)
status=$?
set -e
printf '%s\n' "$output"

[ "$status" -eq 1 ] || fail "the walk ended with status $status, not 1"
grep -Eq "^wizard_walk: FAILED: .*crash_probe.exe\"? ended with exit code 0xC0000005 while waiting for the wizard's form" \
  <<<"$output" || fail "the walk did not say that the program died of an access violation"
echo "walk_crash_test: the walk noticed the crash"
