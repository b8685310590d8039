# Shared by the scripts: installs what is missing, and knows which Windows
# build this host can run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

package_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# apt-get update, once per script. A mirror in the middle of a sync fails
# some lists; the lists there are still serve, so that is told in one line
# and the script goes on.
package_lists_updated=no
update_package_lists() {
  [ "$package_lists_updated" = yes ] && return 0
  package_lists_updated=yes
  echo "Updating the package lists..."
  local log
  if ! log=$(apt-get update -q 2>&1); then
    echo "apt-get update failed ($(grep -m1 '^E:' <<<"$log" | cut -c4-200 || true)); going on with the lists there are."
  fi
  return 0
}

# Installs "$@", and when that fails, once more with the base release as the
# target: during a mirror sync the amd64 libraries can stand at the security
# suite's version while their i386 twins are still at the base release's,
# and multi-arch pairs must match.
install_packages() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" && return 0
  local codename
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  echo "Installing again with the base release ($codename) as the target..."
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q -t "$codename" "$@"
}

# Installs the Debian packages among "$@" that are not installed yet; a
# machine that has them all asks the network nothing. Fails (status 1) when
# they cannot be installed.
try_packages() {
  local missing=() package
  for package in "$@"; do
    package_installed "$package" || missing+=("$package")
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
    package_lists_updated=no  # the new architecture needs lists of its own
  fi
  update_package_lists
  install_packages "${missing[@]}"
}

# As try_packages, but the script ends when they cannot be installed.
ensure_packages() {
  try_packages "$@" && return 0
  echo "Could not install: $*" >&2
  exit 1
}

ensure_build_tools() {
  ensure_packages cmake g++ make googletest g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
}

# The 32-bit Wine runs the shipped program as it is. Where it cannot be
# installed (its i386 libraries lag behind the amd64 ones on the mirror),
# the Windows tests run as 64-bit builds under wine64, as on kernels without
# 32-bit support; windows_test_preset then says win64.
ensure_wine() {
  local wine=(wine wine64 xvfb xauth locales)
  try_packages "${wine[@]}" wine32:i386 && return 0
  echo "The 32-bit Wine (wine32:i386) could not be installed; going on without it."
  ensure_packages "${wine[@]}"
}

# Which Windows build runs here: win32 where the 32-bit Wine runs, else
# win64. Some kernels are built or booted without 32-bit support
# (ia32_emulation=off), and then Wine cannot run 32-bit programs either.
windows_test_preset() {
  if package_installed wine32:i386 && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

# Why windows_test_preset says win64, as a sentence.
windows_test_reason() {
  if ! package_installed wine32:i386; then
    echo "The 32-bit Wine (wine32:i386) is not installed, so the 64-bit build of the same sources runs under wine64."
  else
    echo "This kernel cannot run 32-bit programs, so the 64-bit build of the same sources runs under wine64."
  fi
}

# configure_and_build PRESET [cmake --build options, such as --target X]
configure_and_build() {
  local preset=$1
  shift
  [ -f "$root/build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" "$@"
}

# Starts Xvfb on a free display and exports DISPLAY; the server's process
# id is left in $virtual_display_pid. $1 is a file for the display number.
start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1" 2>/dev/null &
  virtual_display_pid=$!
  local _
  for _ in $(seq 100); do [ -s "$1" ] && break; sleep 0.1; done
  [ -s "$1" ] || return 1
  export DISPLAY=":$(cat "$1")"
}

# The Windows tests run under a second Wine as well (BRIMVALE_WINE_LEG=wine10,
# scripts/test): a prefix or a test drive of that leg stands beside the
# first one's, since a prefix one Wine has booted is not the other's. The
# suffix is added once, however often a path passes through here.
wine_leg_path() {
  local leg=${BRIMVALE_WINE_LEG:-}
  if [ -z "$leg" ] || [[ $1 == *"-$leg" ]]; then echo "$1"; else echo "$1-$leg"; fi
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
