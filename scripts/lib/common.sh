# Shared by scripts/run and scripts/test: installs what is missing, and knows
# which Windows build this host can run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# Installs the Debian packages among "$@" that are not installed yet; a
# machine that has them all asks the network nothing.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

ensure_build_tools() {
  ensure_packages cmake g++ make googletest g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
}

ensure_wine() {
  ensure_packages wine wine32:i386 wine64 xvfb xauth
}

# Some kernels are built or booted without 32-bit support (ia32_emulation=off):
# there Wine cannot run 32-bit programs, and the same sources built for
# 64-bit Windows run under wine64 instead.
windows_test_preset() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

configure_and_build() {
  local preset=$1
  [ -f "$root/build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
}

# Makes the throwaway Wine prefix $WINEPREFIX ready, booting it the first
# time: Wine's own fonts go into its Fonts folder before any program of ours
# starts (Debian's Wine leaves it empty, and "MS Sans Serif" then falls back
# to a wider, shorter face). "unmanaged" as $1 also removes the 2-s wait on
# every hidden window that Wine makes without a window manager (for virtual
# displays; on a desktop the window manager keeps its frames).
prepare_wine_prefix() {
  : "${WINEPREFIX:?prepare_wine_prefix needs WINEPREFIX}"
  local wine=$root/cmake/wine-emulator.sh
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1
    if [ "${1:-}" = unmanaged ]; then
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    WINEPREFIX="$WINEPREFIX" wineserver -w
  fi
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/* "$fonts/"
}
