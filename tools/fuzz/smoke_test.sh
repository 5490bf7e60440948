#!/usr/bin/env bash
# Runs one fuzz target over a fixed number of inputs grown from its seeds, with a fixed random
# seed, so that every run tries the same inputs. The corpus and the target's own temporary files
# live in a temporary folder; a failing input is written to the working folder. Any finding
# (crash, leak, sanitizer report, an input that hangs) fails.
# Usage: tools/fuzz/smoke_test.sh FUZZER SEEDS RUNS
set -euo pipefail

fuzzer=$1
seeds=$2
runs=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
TMPDIR=$work "$fuzzer" -runs="$runs" -seed=1 -timeout=60 -rss_limit_mb=2048 "$work/corpus" "$seeds"
