#!/usr/bin/env bash
# scripts/run without a display, as on a fresh server: it exits 0 by itself,
# leaving a picture of the program's window, and its demo drive unmounted.
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
picture=$src/build/run/brimvale.png
rm -f "$picture"
out=$(env -u DISPLAY timeout 300 "$src/scripts/run" 2>&1)
status=$?
echo "$out"
problems=()
[ $status = 0 ] || problems+=("exit status $status")
grep -q '^The window: build/run/brimvale.png$' <<<"$out" || problems+=("the picture's path is not printed")
[ "$(head -c 8 "$picture" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
  problems+=("no PNG at $picture")
mountpoint -q "$src/build/run/demo-drive" && problems+=("the demo drive is still mounted")
[ ${#problems[@]} -eq 0 ] || { printf 'FAIL: %s\n' "${problems[@]}"; exit 1; }
