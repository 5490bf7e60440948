#!/usr/bin/env bash
# Exits 0 when the Windows program $1 is a PE32+ (64-bit) image, 1 when it is PE32 (32-bit) or
# no PE image: the optional header's magic (0x20b for PE32+), read through e_lfanew.
set -euo pipefail
lfanew=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
magic=$(od -An -tx2 -j$((lfanew + 24)) -N2 "$1" | tr -d ' ')
[ "$magic" = "020b" ]
