#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and the test scripts.
# WINEPREFIX names the prefix (tests/CMakeLists.txt puts one in the build
# tree); BRIMVALE_WINE_BITS=64 picks wine64 for a 64-bit test build.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
# A second Wine's prefix stands beside the first one's (wine_leg_path in
# scripts/lib/common.sh).
leg=${BRIMVALE_WINE_LEG:-}
if [ -n "$leg" ] && [[ $WINEPREFIX != *"-$leg" ]]; then WINEPREFIX=$WINEPREFIX-$leg; fi
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ "${BRIMVALE_WINE_BITS:-32}" = 64 ]; then
  # The plain launcher prefers the 32-bit loader whenever wine32 is installed.
  export WINELOADER=/usr/lib/wine/wine64
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
