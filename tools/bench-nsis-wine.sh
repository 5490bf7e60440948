#!/usr/bin/env bash
# Races our installer against an NSIS installer of the same package under the same Wine: a
# package of 3,000 small files and one of 256 MiB, each installed silently (Setup.exe /S against
# the NSIS installer's /S), interleaved, Wine's start included in both, best of 3; and building
# the 256 MiB installer, xapack against makensis. The NSIS installers are written as ours are:
# no compression, the files in the terminal folder, an uninstaller in the program folder, its
# shortcut and an entry among the installed programs. Prints the times and the ratios.
# WINDOWS_BUILD is a win32 build (NSIS's x86 stubs) or a win64 one (its amd64 stubs, wine64).
# Usage: bench-nsis-wine.sh HOST_BUILD WINDOWS_BUILD
set -euo pipefail

host=$(realpath "$1")
windows=$(realpath "$2")
files=3000
runs=3
source "$(dirname "$0")/bench-wine-session.sh"
win_bench='C:\xa-nsis-bench'
name="XA NSIS Benchmark"
use_bench_folder xa-nsis-bench "$name"

# The session runs a win64 build with wine64, so its loader tells the build's word size.
nsis_target=x86-unicode
if [ "$WINELOADER" = /usr/lib/wine/wine64 ]; then
  nsis_target=amd64-unicode
fi

# Writes $bench/PACKAGE/package.toml and $bench/PACKAGE/package.nsi for the files of
# $bench/PACKAGE/files, all going to the terminal's MQL4\SUBFOLDER.
write_manifests() {
  local package=$1 subfolder=$2 file
  local toml_subfolder=${subfolder//\\/\\\\}
  {
    printf '[program]\nname = "%s"\nversion = "1.0"\n' "$name"
    for file in "$bench/$package/files"/*; do
      file=${file##*/}
      printf '\n[[file]]\nsource = "files/%s"\ntarget = "{metatrader}\\\\MQL4\\\\%s\\\\%s"\n' \
        "$file" "$toml_subfolder" "$file"
    done
  } >"$bench/$package/package.toml"
  cat >"$bench/$package/package.nsi" <<NSI
Unicode true
Target $nsis_target
SetCompress off
Name "$name"
OutFile "NsisSetup.exe"
InstallDir "$win_bench\\MT4"
RequestExecutionLevel admin
!define entry "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
Section
  SetOutPath "\$INSTDIR\\MQL4\\$subfolder"
  File "files\\*"
  CreateDirectory "\$PROGRAMFILES\\$name"
  WriteUninstaller "\$PROGRAMFILES\\$name\\Uninstall.exe"
  CreateDirectory "\$SMPROGRAMS\\$name"
  CreateShortCut "\$SMPROGRAMS\\$name\\Uninstall.lnk" "\$PROGRAMFILES\\$name\\Uninstall.exe"
  WriteRegStr HKLM "\${entry}" "DisplayName" "$name"
  WriteRegStr HKLM "\${entry}" "DisplayVersion" "1.0"
  WriteRegStr HKLM "\${entry}" "UninstallString" '"\$PROGRAMFILES\\$name\\Uninstall.exe"'
SectionEnd
Section "Uninstall"
  RMDir /r "\$PROGRAMFILES\\$name"
  RMDir /r "\$SMPROGRAMS\\$name"
  DeleteRegKey HKLM "\${entry}"
SectionEnd
NSI
}

# Builds in the folder of package PACKAGE.
build_in() {
  local package=$1
  shift
  (cd "$bench/$package" && "$@")
}

install_fresh() {
  remove_outputs
  sync
}

# Fails unless the terminal folder holds `count` files below MQL4 with the package's bytes.
check_installed() {
  local package=$1 subfolder=$2 count
  count=$(find "$bench/MT4/MQL4/$subfolder" -type f | wc -l)
  [ "$count" -eq "$(ls "$bench/$package/files" | wc -l)" ] ||
    { echo "bench: $count files of $package installed" >&2; exit 1; }
  diff -r -q "$bench/$package/files" "$bench/MT4/MQL4/$subfolder" >/dev/null ||
    { echo "bench: the files of $package differ after installing" >&2; exit 1; }
}

mkdir -p "$bench/small/files" "$bench/large/files"
for i in $(seq -w 1 "$files"); do
  printf 'Expert %s\n' "$i" >"$bench/small/files/Expert $i.ex4"
done
head -c $((256 << 20)) /dev/urandom >"$bench/large/files/payload.bin"
write_manifests small 'Experts\Benchmark'
write_manifests large Files

for _ in $(seq "$runs"); do
  for package in small large; do
    keep_best "xapack $package" build_in "$package" "$host/src/xapack/xapack" build \
      package.toml -o Setup.exe --stub "$windows/src/app/xasetup.exe"
    keep_best "makensis $package" build_in "$package" makensis -V1 package.nsi
  done
done
"$WINELOADER" cmd /c exit

for _ in $(seq "$runs"); do
  for package in small large; do
    subfolder=$([ "$package" = small ] && echo Experts/Benchmark || echo Files)
    install_fresh
    keep_best "nsis $package" "$WINELOADER" "$win_bench\\$package\\NsisSetup.exe" /S \
      "/D=$win_bench\\MT4"
    check_installed "$package" "$subfolder"
    install_fresh
    keep_best "ours $package" "$WINELOADER" "$win_bench\\$package\\Setup.exe" /S \
      "/TERMINALS=$win_bench\\MT4"
    check_installed "$package" "$subfolder"
  done
done

report() {
  awk -v what="$1" -v ours="$2" -v nsis="$3" 'BEGIN {
    printf "%-34s ours %7.3f s, NSIS %7.3f s, ours/NSIS %.2f\n", what, ours / 1e9, nsis / 1e9, ours / nsis
  }'
}
echo "best of $runs, interleaved, Wine's start included (goal: ours/NSIS 1.00 or less)"
report "install $files files (/S):" "${best[ours small]}" "${best[nsis small]}"
report "install 256 MiB (/S):" "${best[ours large]}" "${best[nsis large]}"
report "build $files-file installer:" "${best[xapack small]}" "${best[makensis small]}"
report "build 256 MiB installer:" "${best[xapack large]}" "${best[makensis large]}"
