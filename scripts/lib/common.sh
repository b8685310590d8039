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
