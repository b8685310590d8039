#!/usr/bin/env bash
# The release as scripts/release writes it: the exe without debug sections,
# its debug file named by a debug link and able to resolve an address, sums
# that check, no build path inside; the very exe the tests ran;
# and the same bytes again from a copy of the sources in another folder,
# built later under another time zone.
#
# usage: check_release.sh SOURCE-DIR TESTED-EXE
set -euo pipefail
src=$(cd "$1" && pwd)
tested=$2
export LC_ALL=C
objdump=i686-w64-mingw32-objdump
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

"$src/scripts/release" >"$work/first.log" || { cat "$work/first.log"; exit 1; }
cmp -s "$src/dist/brimvale.exe" "$tested" ||
  fail "the release's exe is not the one the tests ran ($tested)"
dist=$src/dist
cd "$dist"

sections=$("$objdump" -h brimvale.exe | awk '$2 ~ /^\./ { print $2 }')
grep -q '^\.debug_' <<<"$sections" && fail "brimvale.exe has debug sections: $(grep '^\.debug_' <<<"$sections" | tr '\n' ' ')"
"$objdump" -s -j .gnu_debuglink brimvale.exe | grep -q 'brimvale.exe.deb' ||
  fail "brimvale.exe names no brimvale.exe.debug in a debug link"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not check"
address=$(i686-w64-mingw32-nm brimvale.exe.debug | awk '$3 == "_WinMain@16" { print $1 }')
where=$(i686-w64-mingw32-addr2line -e brimvale.exe.debug "0x${address:-0}")
[[ $where == */app/main.cpp:* ]] || fail "the debug file resolves WinMain's address to '$where'"
for file in brimvale.exe brimvale.exe.debug; do
  grep -q -a -F "$src" "$file" && fail "$file holds the build path $src"
done

# A copy of the sources, as a clone would have them, in a folder of another
# name and length.
copy=$work/another-folder/brimvale-copy
mkdir -p "$copy"
if git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$src" && git ls-files -co --exclude-standard -z | xargs -0 cp --parents -t "$copy")
else
  tar -C "$src" --exclude=./build --exclude=./dist -cf - . | tar -C "$copy" -xf -
fi
TZ=Pacific/Kiritimati "$copy/scripts/release" --out "$work/second" >"$work/second.log" ||
  { cat "$work/second.log"; exit 1; }
if cmp -s SHA256SUMS "$work/second/SHA256SUMS"; then
  echo "Built twice, in $src and in $copy: the same bytes."
  cat SHA256SUMS
else
  fail "a second build from $copy gives other bytes:"
  diff SHA256SUMS "$work/second/SHA256SUMS" || true
  cmp -l brimvale.exe "$work/second/brimvale.exe" | head -20 || true
fi
exit $status
