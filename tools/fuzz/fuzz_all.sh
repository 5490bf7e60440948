#!/usr/bin/env bash
# Builds every fuzzer (the fuzz preset) and runs each for SECONDS (default 600), two at a time at
# low priority, and prints each one's executions and whether it found anything. Exits non-zero
# when one did; its failing input is left in build/fuzz/. Logs: build/fuzz/logs/NAME.log.
# Usage: tools/fuzz/fuzz_all.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

seconds=${1:-600}
logs=build/fuzz/logs
mkdir -p "$logs"
# All built first, at full speed; the runs below then find their fuzzer built.
if ! bash tools/fuzz/build.sh >"$logs/build.log" 2>&1; then
  echo "the fuzzers do not build, see $logs/build.log"
  exit 1
fi

declare -A commands=(
  [records]="tools/fuzz/records_fuzz.sh $seconds"
  [linklabel]="tools/fuzz/linklabel_fuzz.sh $seconds"
  [manifest]="tools/fuzz/xapack_fuzz.sh manifest $seconds"
  [installer]="tools/fuzz/xapack_fuzz.sh installer $seconds"
  [origin]="tools/fuzz/origin_fuzz.sh $seconds"
)
names=(records linklabel manifest installer origin)

running=0
for name in "${names[@]}"; do
  if [ "$running" -ge 2 ]; then
    wait -n
    running=$((running - 1))
  fi
  # shellcheck disable=SC2086  # the command is split into its words on purpose
  nice -n 10 bash ${commands[$name]} >"$logs/$name.log" 2>&1 &
  running=$((running + 1))
done
wait

status=0
for name in "${names[@]}"; do
  runs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$logs/$name.log" | tail -n 1)
  if [ -n "$runs" ] && ! grep -q 'ERROR: \|SUMMARY: ' "$logs/$name.log"; then
    echo "$name: ${runs#Done }s, no findings"
  else
    echo "$name: FINDING or failure, see $logs/$name.log"
    status=1
  fi
done
exit "$status"
