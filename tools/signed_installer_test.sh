#!/usr/bin/env bash
# Signs an installer after building it, as a publisher would, and checks under Wine that the
# signature covers the package and that the signed installer installs exactly as the unsigned
# one; its uninstaller must not claim the installer's signature. xapack must refuse a signed
# stub. Throwaway CA and code-signing certificate from openssl.
# Usage: signed_installer_test.sh XAPACK.exe ENGINECTL.exe WORK_FOLDER   (XA_WINE_PREFIX set)
set -euo pipefail

xapack=$1
enginectl=$2
work=$3
root=$(cd "$(dirname "$0")/.." && pwd)
run=$root/tools/wine-run.sh
program="Sample Trend Indicator"
menu=$XA_WINE_PREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/$program

fail() {
  echo "signed_installer_test: $*" >&2
  exit 1
}

# The Windows form of a Unix path: the Unix root is drive Z:.
winpath() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# The 32-bit little-endian value at byte offset $2 of file $1.
u32() {
  od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '
}

signature_fields() {
  "$root/tools/pe-signature-fields.sh" "$1"
}

# Every file below $1 (but the uninstaller) with its MD5 sum, by relative path.
snapshot() {
  (cd "$1" && find . -type f ! -name Uninstall.exe -exec md5sum {} + | sort -k2)
}

clean_install() {
  rm -rf "$app" "$menu"
}

rm -rf "$work"
mkdir -p "$work"
cd "$work"

"$root/tools/make-test-signer.sh"
sign() {
  osslsigncode sign -certs signer.crt -key signer.key -n "$program" -h sha256 -in "$1" -out "$2" \
    >/dev/null
}

"$run" "$xapack" build "$(winpath "$root/examples/sample-package/package.toml")" \
  -o "$(winpath "$work/Setup.exe")" --stub "$(winpath "$enginectl")" \
  --key 000102030405060708090a0b0c0d0e0f >/dev/null
# A 32-bit program in a 64-bit prefix (which the build above has made) installs below
# "Program Files (x86)".
program_files=$XA_WINE_PREFIX/drive_c/Program\ Files
if ! "$root/tools/pe-is-64bit.sh" "$enginectl" && [ -d "$program_files (x86)" ]; then
  program_files="$program_files (x86)"
fi
app=$program_files/$program
trap clean_install EXIT
clean_install

sign Setup.exe Signed.exe
osslsigncode verify -CAfile ca.crt -in Signed.exe >verify.txt 2>&1 ||
  fail "the signed installer does not verify: $(tail -n 3 verify.txt)"
read -r _ table_address table_size <<<"$(signature_fields Signed.exe)"
[ "$table_address" -ge "$(stat -c %s Setup.exe)" ] || fail "the signature does not follow the package"
[ $((table_address + table_size)) -eq "$(stat -c %s Signed.exe)" ] || fail "the signature is not last"
[ "$(u32 Signed.exe 136)" = "$(u32 Setup.exe 136)" ] || fail "signing moved the record pointer"

# The signature covers the package: one changed byte of the last file's content breaks it.
cp Signed.exe Tampered.exe
last=$(($(stat -c %s Setup.exe) - 1))
printf '\x5a' | dd of=Tampered.exe bs=1 seek="$last" conv=notrunc status=none
if osslsigncode verify -CAfile ca.crt -in Tampered.exe >/dev/null 2>&1; then
  fail "a changed package byte still verifies"
fi

# Installs from both files into their own terminal folders; the results must be the same.
install_from() {
  local installer=$1 terminal=$work/$2
  clean_install
  mkdir -p "$terminal"
  "$run" "$enginectl" install "$(winpath "$work/$installer")" "$(winpath "$terminal")" \
    >"$2.out" 2>"$2.err" || fail "install from $installer failed: $(cat "$2.err")"
  sed "s/$2/TERMINAL/g" "$2.out" >"$2.progress"
  {
    snapshot "$terminal"
    snapshot "$app"
    (cd "$menu" && find . | sort)
  } >"$2.files"
}
install_from Setup.exe Unsigned
install_from Signed.exe Signed
cmp -s Unsigned.progress Signed.progress || fail "the runs reported differently"
cmp -s Unsigned.files Signed.files || fail "the installs differ: $(diff Unsigned.files Signed.files)"
grep -q 'SampleTrend.mq4' Signed.files || fail "the package files were not installed"

# The uninstaller from the signed installer claims no signature and still finds its record.
[ "$(signature_fields "$app/Uninstall.exe")" = "0 0 0" ] ||
  fail "the uninstaller keeps the checksum or certificate entry: $(signature_fields "$app/Uninstall.exe")"
"$run" "$enginectl" uninstall "$(winpath "$app/Uninstall.exe")" >uninstall.out 2>uninstall.err ||
  fail "uninstall failed: $(cat uninstall.err)"
[ ! -e "$menu" ] || fail "the Start menu folder stayed"
[ -z "$(find Signed -type f -name '*.mq4')" ] || fail "installed files stayed"

# xapack refuses a signed stub, naming the fix, and leaves no output.
sign "$enginectl" SignedStub.exe
if "$run" "$xapack" build "$(winpath "$root/examples/sample-package/package.toml")" \
  -o "$(winpath "$work/Refused.exe")" --stub "$(winpath "$work/SignedStub.exe")" \
  >refused.out 2>refused.err; then
  fail "xapack accepted a signed stub"
fi
[ "$(wc -l <refused.err)" -eq 1 ] || fail "the refusal is not one line: $(cat refused.err)"
grep -q "sign the installer after building" refused.err || fail "the refusal names no fix"
[ -z "$(ls Refused.exe* 2>/dev/null)" ] || fail "a refused build left output"
echo "signed installer: verified, installs as unsigned, uninstaller unsigned, signed stub refused"
