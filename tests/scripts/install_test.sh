#!/usr/bin/env bash
# The installs of scripts/lib/common.sh against a stand-in apt-get (with
# dpkg, dpkg-query and id beside it, first on PATH) that fails as mirrors do
# in the middle of a sync. Nothing is installed and no network is asked.
set -uo pipefail
common=$(cd "$(dirname "$0")/../../scripts/lib" && pwd)/common.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")

# The stand-ins read $STANDIN (the scenario) and keep their state in $STATE:
#   installed  one package a line; apt.log  every apt-get call
#   update=fail            apt-get update fails on one list
#   plain-i386=fail        an install with an i386 package fails without -t
#   target-i386=fail       ... and with -t as well (the i386 lists lag the base release)
#   install=fail           every install fails
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/apt.log"
has() { [[ " $STANDIN " == *" $1 "* ]]; }
if [ "$1" = update ]; then
  if has update=fail; then
    echo "Err:6 http://deb.example/debian-security bookworm-security/main i386 Packages"
    echo "E: Failed to fetch http://deb.example/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100
  fi
  exit 0
fi
target=no packages=()
while [ $# -gt 0 ]; do
  case $1 in
    -t) target=yes; shift 2 ;;
    -*|install) shift ;;
    *) packages+=("$1"); shift ;;
  esac
done
i386=no
for p in "${packages[@]}"; do [[ $p == *:i386 ]] && i386=yes; done
if has install=fail ||
   { [ $i386 = yes ] && { has target-i386=fail || { [ $target = no ] && has plain-i386=fail; }; }; }; then
  echo "E: Unable to correct problems, you have held broken packages."
  exit 100
fi
printf '%s\n' "${packages[@]}" >>"$STATE/installed"
STANDIN
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/usr/bin/env bash
# dpkg-query -W -f='${Status}' PACKAGE
grep -qx -- "${*: -1}" "$STATE/installed" 2>/dev/null || exit 1
printf 'install ok installed'
STANDIN
cat >"$work/bin/dpkg" <<'STANDIN'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$STATE/architectures" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$STATE/architectures" ;;
esac
STANDIN
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work/bin/"*

failures=0
# name, scenario, packages installed before, expected exit status, expected
# preset (a regular expression), patterns the output or the apt-get calls
# must hold (separated by |).
check() {
  local name=$1 scenario=$2 preinstalled=$3 want_status=$4 want_preset=$5 patterns=$6
  local state=$work/$name out status
  mkdir -p "$state"
  printf '%s\n' $preinstalled >"$state/installed"
  out=$(PATH="$work/bin:$PATH" STANDIN=$scenario STATE=$state bash -c '
      set -euo pipefail
      source "$1"
      ensure_build_tools
      ensure_wine
      echo "preset=$(windows_test_preset)"
      [ "$(windows_test_preset)" = win32 ] || windows_test_reason' _ "$common" 2>&1)
  status=$?
  local problems=()
  [ "$status" = "$want_status" ] || problems+=("exit status $status, expected $want_status")
  if [ "$want_status" = 0 ] && ! grep -qxE "preset=($want_preset)" <<<"$out"; then
    problems+=("not preset=$want_preset")
  fi
  local pattern
  IFS='|' read -ra list <<<"$patterns"
  for pattern in "${list[@]}"; do
    [ -z "$pattern" ] || grep -qE -- "$pattern" <<<"$out$(printf '\n')$(cat "$state/apt.log" 2>/dev/null)" ||
      problems+=("no line matching: $pattern")
  done
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: ${problems[*]}"
    sed 's/^/     | /' <<<"$out"
    sed 's/^/     apt | /' "$state/apt.log" 2>/dev/null
    failures=$((failures + 1))
  fi
}

all="cmake g++ make googletest g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 wine wine64 xvfb xauth locales"

# A machine that has everything asks apt-get nothing. (Where the preset
# could be win32, the real 32-bit loader decides.)
check installed "" "$all wine32:i386" 0 "win32|win64" ""
[ ! -s "$work/installed/apt.log" ] || { echo "FAIL installed: apt-get was called"; failures=$((failures + 1)); }

# The mirror in a sync: one list fails, the i386 libraries lag; the base
# release as target installs everything.
check mirror-sync "update=fail plain-i386=fail" "" 0 "win32|win64" \
  "^apt-get update failed \(Failed to fetch .*Mirror sync in progress\?\); going on|^apt-get install -y -q -t $codename .*wine32:i386"
[ "$(grep -c 'update failed' <<<"$(PATH="$work/bin:$PATH" STANDIN="update=fail plain-i386=fail" STATE=$work/x bash -c 'mkdir -p "$STATE"; source "$1"; ensure_wine' _ "$common" 2>&1)")" = 1 ] ||
  { echo "FAIL mirror-sync: the failed update is not told in exactly one line"; failures=$((failures + 1)); }

# The i386 lists lag even the base release: wine64 alone, the 64-bit tests.
check i386-lags "target-i386=fail" "" 0 win64 \
  "wine32:i386\) could not be installed; going on without it|wine32:i386\) is not installed, so the 64-bit build"

# Nothing installable: the script stops and says what.
check nothing "install=fail" "" 1 - "^Could not install: cmake"

[ $failures = 0 ] && echo "All install scenarios passed."
exit $((failures > 0))
