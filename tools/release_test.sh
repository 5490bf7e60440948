#!/usr/bin/env bash
# Makes the release bundles (tools/release.sh) and uses them as a vendor would: checks their
# checksums and contents, unpacks each into an empty folder and builds the sample's installer
# with the Linux xapack in a bare environment and with xapack.exe under Wine (skipped where
# 32-bit Wine cannot run), compares what the two installers carry, and makes the bundles again
# to compare them byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fail() {
  echo "release_test: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
windows=xapack-$version-windows
linux=xapack-$version-linux-x86_64

bash tools/release.sh
[ -f "dist/$windows.zip" ] || fail "dist/$windows.zip is missing"
[ -f "dist/$linux.tar.gz" ] || fail "dist/$linux.tar.gz is missing"
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "dist/SHA256SUMS does not match the bundles"
cp dist/SHA256SUMS "$work/first-run.sums"

mkdir "$work/windows" "$work/linux" "$work/home"
(cd "$work/windows" && cmake -E tar xf "$root/dist/$windows.zip")
tar -xzf "dist/$linux.tar.gz" -C "$work/linux"
windows=$work/windows/$windows
linux=$work/linux/$linux

# Both carry the same wizard program, the sample, the guide with whatever it links to, and the
# licence texts.
common=(xasetup.exe sample/package.toml docs/vendor-guide.md licenses/README.txt
  licenses/gcc-runtime-mingw-w64.txt licenses/mingw-w64-runtime.txt licenses/tomlplusplus.txt)
for file in "${common[@]}" xapack.exe; do
  [ -s "$windows/$file" ] || fail "the Windows bundle lacks $file"
done
for file in "${common[@]}" xapack licenses/gcc-runtime-linux.txt; do
  [ -s "$linux/$file" ] || fail "the Linux bundle lacks $file"
done
for file in xasetup.exe sample docs; do
  diff -r "$windows/$file" "$linux/$file" >/dev/null || fail "the bundles' $file differ"
done
while read -r link; do
  [ -e "$linux/docs/$link" ] || fail "the bundled guide links $link, which the bundle lacks"
done < <(grep -o ']([^)#]*[)#]' "$linux/docs/vendor-guide.md" | sed 's/^](\(.*\).$/\1/' |
  grep -v -e '://' -e '^$' || true)

# The programs name no folder of this machine, and the PE headers carry no link time.
for program in "$windows/xapack.exe" "$windows/xasetup.exe" "$linux/xapack"; do
  ! grep -qaF "$root" "$program" || fail "${program##*/} names $root"
done
for program in "$windows/xapack.exe" "$windows/xasetup.exe"; do
  header=$(od -An -tu4 -j60 -N4 "$program" | tr -d ' ')
  stamp=$(od -An -tu4 -j$((header + 8)) -N4 "$program" | tr -d ' ')
  [ "$stamp" = 0 ] || fail "${program##*/} carries the link time $stamp"
done

# The Linux xapack needs no more than glibc 2.35 (Ubuntu 22.04), with libstdc++ linked in.
needed=$(readelf -d "$linux/xapack" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for library in $needed; do
  case $library in
    libc.so.6 | libm.so.6 | ld-linux-x86-64.so.2) ;;
    *) fail "the Linux xapack needs $library" ;;
  esac
done
newest=$(objdump -T "$linux/xapack" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -n 1)
[ "$(printf '%s\n' "$newest" GLIBC_2.35 | sort -V | tail -n 1)" = GLIBC_2.35 ] ||
  fail "the Linux xapack needs $newest"

# The command the vendor guide gives, with nothing of this project on PATH.
(cd "$linux" && env -i HOME="$work/home" PATH=/usr/bin:/bin ./xapack build sample/package.toml \
  -o Setup.exe) || fail "the Linux xapack did not build the sample"
key=00112233445566778899aabbccddeeff
(cd "$linux" && ./xapack build sample/package.toml -o Keyed.exe --key $key)

if bash tools/can-run-win32.sh; then
  export XA_WINE_PREFIX=$root/build/win32/wineprefix
  (cd "$windows" && "$root/tools/wine-run.sh" xapack.exe build sample/package.toml -o Setup.exe) ||
    fail "xapack.exe did not build the sample under Wine"
  (cd "$windows" && "$root/tools/wine-run.sh" xapack.exe build sample/package.toml -o Keyed.exe \
    --key $key)
  "$linux/xapack" list "$linux/Setup.exe" >"$work/linux.list"
  "$linux/xapack" list "$windows/Setup.exe" >"$work/windows.list"
  diff "$work/linux.list" "$work/windows.list" || fail "the two installers list different files"
  "$linux/xapack" extract "$linux/Setup.exe" -C "$work/linux.files"
  "$linux/xapack" extract "$windows/Setup.exe" -C "$work/windows.files"
  diff -r "$work/linux.files" "$work/windows.files" ||
    fail "the two installers carry different files"
  cmp "$linux/Keyed.exe" "$windows/Keyed.exe" ||
    fail "the two xapacks built different installers with the same key"
else
  echo "release_test: 32-bit Wine cannot run here; xapack.exe of the Windows bundle is not tried"
fi

bash tools/release.sh >/dev/null
cmp dist/SHA256SUMS "$work/first-run.sums" || fail "a second run made different bundles"
echo "release_test: $(tr '\n' ' ' <"$work/first-run.sums")"
