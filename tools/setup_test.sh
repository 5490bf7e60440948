#!/usr/bin/env bash
# Checks the set-up's decisions (tools/setup.sh) against stand-ins for apt-get, dpkg,
# dpkg-query, id and sleep placed first on PATH, so nothing is installed and nothing waits.
# Each case describes a machine, then what the set-up must print, call and leave missing.
set -euo pipefail

setup=$(cd "$(dirname "$0")" && pwd)/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
export SETUP_TEST_STATE=$work/state

# The stand-ins answer from files in $SETUP_TEST_STATE: missing (packages not installed), broken
# (packages apt cannot resolve), unknown (packages in no list), arches (foreign architectures),
# uid, and the flags update-fails and add-arch-fails. apt-get, dpkg and sleep log their calls;
# dpkg-query and id only answer.
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
state=$SETUP_TEST_STATE
echo "apt-get $*" >>"$state/log"
case $1 in
  update)
    if [ -e "$state/update-fails" ]; then
      echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi
    ;;
  install)
    packages=()
    for arg in "${@:2}"; do
      [[ $arg = -* ]] || packages+=("$arg")
    done
    for package in "${packages[@]}"; do
      if grep -qxF "$package" "$state/unknown"; then
        echo "E: Unable to locate package $package" >&2
        exit 100
      fi
      if grep -qxF "$package" "$state/broken"; then
        echo "The following packages have unmet dependencies:"
        echo " $package : Depends: libssl3 (= 3.0.17-1~deb12u2) but 3.0.15-1~deb12u1 is to be installed"
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
      fi
    done
    grep -vxF -f <(printf '%s\n' "${packages[@]}") "$state/missing" >"$state/missing.new" || true
    mv "$state/missing.new" "$state/missing"
    ;;
esac
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
state=$SETUP_TEST_STATE
echo "dpkg $*" >>"$state/log"
case $1 in
  --print-foreign-architectures)
    cat "$state/arches"
    ;;
  --add-architecture)
    if [ -e "$state/add-arch-fails" ]; then
      echo "dpkg: error: cannot add architecture '$2': Read-only file system" >&2
      exit 2
    fi
    echo "$2" >>"$state/arches"
    ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
package=${!#}
if grep -qxF "$package" "$SETUP_TEST_STATE/missing"; then
  echo "dpkg-query: no packages found matching $package" >&2
  exit 1
fi
printf 'install ok installed'
EOF
cat >"$work/bin/id" <<'EOF'
#!/usr/bin/env bash
cat "$SETUP_TEST_STATE/uid"
EOF
cat >"$work/bin/sleep" <<'EOF'
#!/usr/bin/env bash
echo "sleep $*" >>"$SETUP_TEST_STATE/log"
EOF
chmod +x "$work/bin"/*

install='apt-get install -y -qq --no-install-recommends --no-remove'
notice_start='setup: 32-bit Wine \(wine32:i386\) could not be installed: '
notice_end='\. The Windows tests, the benchmarks and the walk will run from the win64 build under wine64; run the set-up again later to retry\.'

# A case sets the machine (missing, broken, unknown, arches, uid, update_fails, add_arch_fails),
# the set-up's arguments (args) and what to expect: the exit status, the packages left missing, stdout, the calls logged, the
# reason the one-line notice gives (none when empty) and a line of error (none when empty).
# stderr must be empty when neither notice nor error is expected.
all_present() {
  status=0 left='' out='' log=''
}

fresh_machine() {
  missing='cmake wine64 wine32:i386' arches=''
  status=0 left=''
  out=$'setup: installing cmake wine64\nsetup: installing wine32:i386'
  log="dpkg --print-foreign-architectures
dpkg --add-architecture i386
apt-get update -qq
$install cmake wine64
$install wine32:i386"
}

mirror_mid_sync() {
  missing='cmake wine64 wine32:i386' broken='wine32:i386' update_fails=1
  status=0 left='wine32:i386'
  out=$'setup: installing cmake wine64\nsetup: installing wine32:i386'
  notice='apt-get install failed: Unable to correct problems, you have held broken packages; apt-get update had failed too \(a mirror in mid-sync\?\)'
  log="dpkg --print-foreign-architectures
apt-get update -qq
sleep 10
apt-get update -qq
sleep 10
apt-get update -qq
$install cmake wine64
$install wine32:i386"
}

no_i386_architecture() {
  missing='cmake wine32:i386' arches='' add_arch_fails=1
  status=0 left='wine32:i386' out='setup: installing cmake'
  notice="dpkg --add-architecture i386 failed \(dpkg: error: cannot add architecture 'i386': Read-only file system\)"
  log="dpkg --print-foreign-architectures
dpkg --add-architecture i386
apt-get update -qq
$install cmake"
}

# The architecture is added but no i386 list turns up; it stays (no --remove-architecture).
no_i386_lists() {
  missing='cmake wine32:i386' unknown='wine32:i386' arches=''
  status=0 left='wine32:i386'
  out=$'setup: installing cmake\nsetup: installing wine32:i386'
  notice='apt-get install failed: Unable to locate package wine32:i386'
  log="dpkg --print-foreign-architectures
dpkg --add-architecture i386
apt-get update -qq
$install cmake
$install wine32:i386"
}

only_wine32_missing_not_root() {
  missing='wine32:i386' uid=1000
  status=0 left='wine32:i386' out='' log=''
  notice='installing it needs root'
}

missing_not_root() {
  missing='cmake wine32:i386' uid=1000
  status=1 left='cmake wine32:i386' out='' log=''
  error='setup: missing packages \(cmake wine32:i386\); run as root to install them'
}

only_main_missing_not_root() {
  missing='cmake' uid=1000
  status=1 left='cmake' out='' log=''
  error='setup: missing packages \(cmake\); run as root to install them'
}

main_group_fails() {
  missing='cmake wine32:i386' broken='cmake'
  status=1 left='cmake wine32:i386' out='setup: installing cmake'
  error="setup: could not install cmake \(see apt-get's errors above\)"
  log="dpkg --print-foreign-architectures
apt-get update -qq
$install cmake"
}

# The bench group's packages join the main group, and are left alone unless asked for.
bench_group() {
  args=(bench) missing='cmake nsis'
  status=0 left='' out='setup: installing cmake nsis'
  log="apt-get update -qq
$install cmake nsis"
}

bench_group_not_asked() {
  missing='nsis'
  status=0 left='nsis' out='' log=''
}

unknown_group() {
  args=(bnech) missing='cmake'
  status=2 left='cmake' out='' log=''
  error='setup: unknown group "bnech" \(known: bench\)'
}

cases=(all_present fresh_machine mirror_mid_sync no_i386_architecture no_i386_lists
  only_wine32_missing_not_root missing_not_root only_main_missing_not_root main_group_fails
  bench_group bench_group_not_asked unknown_group)

failures=0
fail() {
  echo "setup_test: $case: $*" >&2
  failures=$((failures + 1))
}

lines() {
  [ -z "$1" ] || tr ' ' '\n' <<<"$1"
}

for case in "${cases[@]}"; do
  missing='' broken='' unknown='' arches=i386 uid=0 update_fails='' add_arch_fails=''
  args=() notice='' error=''
  "$case"

  state=$SETUP_TEST_STATE
  rm -rf "$state"
  mkdir "$state"
  lines "$missing" >"$state/missing"
  lines "$broken" >"$state/broken"
  lines "$unknown" >"$state/unknown"
  lines "$arches" >"$state/arches"
  echo "$uid" >"$state/uid"
  [ -z "$update_fails" ] || touch "$state/update-fails"
  [ -z "$add_arch_fails" ] || touch "$state/add-arch-fails"
  touch "$state/log"

  actual_status=0
  PATH="$work/bin:$PATH" bash "$setup" "${args[@]}" >"$work/out" 2>"$work/err" || actual_status=$?

  [ "$actual_status" -eq "$status" ] || fail "exit status $actual_status, expected $status"
  [ "$(cat "$work/out")" = "$out" ] || fail "stdout: $(cat "$work/out")"
  [ "$(cat "$state/log")" = "$log" ] || fail "calls: $(cat "$state/log")"
  [ "$(cat "$state/missing")" = "$(lines "$left")" ] ||
    fail "left missing: $(cat "$state/missing")"
  notices=$(grep -c '32-bit Wine' "$work/err" || true)
  if [ -n "$notice" ]; then
    if [ "$notices" -ne 1 ] || ! grep -qxE "$notice_start$notice$notice_end" "$work/err"; then
      fail "expected one notice giving '$notice', stderr: $(cat "$work/err")"
    fi
  else
    [ "$notices" -eq 0 ] || fail "unexpected notice: $(cat "$work/err")"
  fi
  if [ -n "$error" ]; then
    grep -qxE "$error" "$work/err" || fail "expected '$error', stderr: $(cat "$work/err")"
  fi
  if [ -z "$notice$error" ] && [ -s "$work/err" ]; then
    fail "stderr: $(cat "$work/err")"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "setup_test: ${#cases[@]} cases passed"
