#!/usr/bin/env bash
# Stops the prefix's Wine server and unmounts the test drives.
set -uo pipefail
: "${WINEPREFIX:?}" "${BRIMVALE_DRIVES:?}"
source "$(dirname "$0")/../../scripts/lib/common.sh"
WINEPREFIX=$(wine_leg_path "$WINEPREFIX") BRIMVALE_DRIVES=$(wine_leg_path "$BRIMVALE_DRIVES")
WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
for dir in "$BRIMVALE_DRIVES"/*; do
  mountpoint -q "$dir" && umount "$dir"
done
exit 0
