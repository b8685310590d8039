#!/usr/bin/env bash
# Prepares the Wine prefix and the tmpfs drives the Windows tests use.
# Needs root for mount. Drive letters and sizes: tests/support/TestDrives.h.
set -euo pipefail
: "${WINEPREFIX:?}" "${BRIMVALE_DRIVES:?}" "${BRIMVALE_WINE:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# letter size
drives=(
  "m 8m"
  "n 8m"
  "k 4000k"
  "l 8m"
)

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$BRIMVALE_WINE" wineboot -i >/dev/null 2>&1
  # Without a window manager Wine waits about 2 s on every hidden window.
  "$BRIMVALE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # The system the programs are told they run on: winxp, win7, win10.
  if [ -n "${BRIMVALE_WINDOWS_VERSION:-}" ]; then
    "$BRIMVALE_WINE" reg add 'HKCU\Software\Wine' /v Version /d "$BRIMVALE_WINDOWS_VERSION" /f >/dev/null 2>&1
  fi
  wineserver -w
fi

if [ "$(id -u)" != 0 ]; then
  echo "setup.sh: mounting the test drives needs root" >&2
  exit 1
fi
for entry in "${drives[@]}"; do
  read -r letter size <<<"$entry"
  dir="$BRIMVALE_DRIVES/$letter"
  mkdir -p "$dir"
  mountpoint -q "$dir" && umount "$dir"
  mount -t tmpfs -o "size=$size" tmpfs "$dir"
  ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
done
