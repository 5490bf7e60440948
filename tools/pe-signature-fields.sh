#!/usr/bin/env bash
# Prints the PE checksum and the certificate table entry (file offset and size) of the Windows
# program $1 as "checksum address size", for PE32 and PE32+ images alike: the data directories
# start 96 bytes into a PE32 optional header and 112 bytes into a PE32+ one; the certificate
# table is the fifth of them.
set -euo pipefail

# The 32-bit little-endian value at byte offset $2 of file $1.
u32() {
  od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '
}

optional=$(($(u32 "$1" 60) + 24))
directories=112
"$(dirname "$0")/pe-is-64bit.sh" "$1" || directories=96
table=$((optional + directories + 4 * 8))
echo "$(u32 "$1" $((optional + 64))) $(u32 "$1" "$table") $(u32 "$1" $((table + 4)))"
