#!/usr/bin/env bash
# Checks that pe-signature-fields.sh finds the certificate table osslsigncode adds to the
# program $1 (PE32 or PE32+): it starts where the unsigned program ended (rounded up to 8 bytes)
# and ends the signed file. Needs no Wine, so it runs for both Windows builds everywhere.
# Usage: pe_signature_fields_test.sh PROGRAM.exe WORK_FOLDER
set -euo pipefail

program=$1
work=$2
tools=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "pe_signature_fields_test: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$tools/make-test-signer.sh"
cp "$program" Plain.exe
read -r _ address size <<<"$("$tools/pe-signature-fields.sh" Plain.exe)"
[ "$address $size" = "0 0" ] || fail "an unsigned program shows a certificate table: $address $size"

osslsigncode sign -certs signer.crt -key signer.key -h sha256 -in Plain.exe -out Signed.exe \
  >/dev/null
read -r _ address size <<<"$("$tools/pe-signature-fields.sh" Signed.exe)"
plain_size=$(stat -c %s Plain.exe)
[ "$address" -eq $(((plain_size + 7) / 8 * 8)) ] ||
  fail "the certificate table is read at $address, the unsigned program has $plain_size bytes"
[ $((address + size)) -eq "$(stat -c %s Signed.exe)" ] ||
  fail "the certificate table ($address + $size) does not end the signed file"
echo "certificate table found at $address ($size bytes)"
