#!/usr/bin/env bash
# Prepares the Wine prefix and the tmpfs drives the Windows tests use.
# Needs root for mount. Drive letters and sizes: tests/support/TestDrives.h.
set -euo pipefail
: "${WINEPREFIX:?}" "${BRIMVALE_DRIVES:?}" "${BRIMVALE_WINE:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "$0")/../../scripts/lib/common.sh"
WINEPREFIX=$(wine_leg_path "$WINEPREFIX") BRIMVALE_DRIVES=$(wine_leg_path "$BRIMVALE_DRIVES")
export WINEPREFIX

# letter size
drives=(
  "m 8m"
  "n 8m"
  "k 4000k"
  "l 8m"
)

booted=$([ -f "$WINEPREFIX/system.reg" ] && echo yes || echo no)
prepare_wine_prefix unmanaged
# The system the programs are told they run on: winxp, win7, win10.
if [ "$booted" = no ] && [ -n "${BRIMVALE_WINDOWS_VERSION:-}" ]; then
  "$BRIMVALE_WINE" reg add 'HKCU\Software\Wine' /v Version /d "$BRIMVALE_WINDOWS_VERSION" /f >/dev/null 2>&1
  wineserver -w
fi

if [ "$(id -u)" != 0 ]; then
  echo "setup.sh: mounting the test drives needs root" >&2
  exit 1
fi
# The Japanese tests' locale: Wine names files in the Unix locale's
# character set, so without it no name beyond ASCII could be made.
locale -a 2>/dev/null | grep -qx ja_JP.utf8 || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
for entry in "${drives[@]}"; do
  read -r letter size <<<"$entry"
  dir="$BRIMVALE_DRIVES/$letter"
  mkdir -p "$dir"
  mountpoint -q "$dir" && umount "$dir"
  mount -t tmpfs -o "size=$size" tmpfs "$dir"
  ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
done
