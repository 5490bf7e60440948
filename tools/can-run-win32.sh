#!/usr/bin/env bash
# Exits 0 when this machine can run the 32-bit Wine loader (its kernel executes 32-bit ELF
# programs); the Windows tests then run from the i686 build, otherwise from the x86_64 build.
/usr/lib/wine/wine --version >/dev/null 2>&1
