# The second Windows of the tests: Debian 13's Wine 10, in a Debian 13 root
# that debootstrap builds from the mirror apt uses on this machine. The root
# lives outside the clone and is reused once it is complete, so a second run
# downloads nothing. Everything bound or mounted for it exists only in a
# private mount namespace of its own, which goes with its last process.
# Sourced after common.sh.

debian13_root=/var/cache/brimvale/debian13
debian13_codename=trixie
# What the Windows tests need inside: Wine with its fonts, a virtual display,
# the locales the tests run in, and ctest to run them.
debian13_packages=(wine wine64 wine32:i386 fonts-wine xvfb xauth locales cmake)
debian13_marker=$debian13_root/.brimvale-complete

# The Debian archive that apt here takes the base release from, such as
# http://deb.debian.org/debian/ (the security and third-party archives are
# not it). From apt's index targets where lists were fetched, else from the
# sources files themselves.
debian_mirror() {
  local codename
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  local mirror
  mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
    awk -v release="$codename" '$2 == release { print $1; exit }')
  if [ -z "$mirror" ]; then
    # One-line entries: deb [options] URI SUITE COMPONENTS...
    mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed 's/\[[^]]*\]//' |
      awk -v release="$codename" '$1 == "deb" && $3 == release { print $2; exit }')
  fi
  if [ -z "$mirror" ]; then
    # deb822 entries: a URIs line and a Suites line per paragraph.
    mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
      awk -v release="$codename" '
        /^$/ { uri = ""; suites = "" }
        /^URIs:/ { uri = $2 }
        /^Suites:/ { suites = " " substr($0, 8) " " }
        uri != "" && index(suites, " " release " ") { print uri; exit }')
  fi
  [ -n "$mirror" ] && echo "$mirror"
}

# Fails with a plain message on what could not be done, and how to retry.
debian13_failed() {
  echo "The second Windows of the tests, Wine 10 in a Debian 13 root at $debian13_root," >&2
  echo "could not be installed: $1" >&2
  echo "The package mirror may be in the middle of a sync. Run scripts/test again in a few" >&2
  echo "minutes; a partly built root is started afresh, a complete one is reused." >&2
  exit 1
}

# Runs "$@" inside the root, in a private mount namespace with /proc, /sys
# and /dev, and this project at the same path as here (its build trees with
# it). Mounts made inside, test drives among them, never reach this machine.
in_debian13_root() {
  local root_dir=${debian13_root_dir:-$debian13_root}
  unshare --mount --propagation private bash -c '
    set -e
    inside=$1 project=$2
    shift 2
    mount -t proc proc "$inside/proc"
    mount --rbind /sys "$inside/sys"
    mount --rbind /dev "$inside/dev"
    mkdir -p "$inside$project"
    mount --bind "$project" "$inside$project"
    exec chroot "$inside" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
      LANG=C.UTF-8 TERM="${TERM:-dumb}" "$@"
  ' in_debian13_root "$root_dir" "$root" "$@"
}

# Ends whatever still runs inside the root (a Wine server, a virtual
# display): its mount namespace, and every mount in it, goes with the last.
stop_debian13_processes() {
  local dir=${debian13_root_dir:-$debian13_root} process
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/root" 2>/dev/null)" = "$dir" ] && kill -9 "${process#/proc/}" 2>/dev/null
  done
  return 0
}

# Installs the packages inside the root, once more with the release as the
# target, and without the 32-bit Wine as the last resort, as on this machine.
debian13_install() {
  in_debian13_root bash -c '
    codename=$1
    shift
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    if ! log=$(apt-get update -q 2>&1); then
      echo "apt-get update failed ($(grep -m1 "^E:" <<<"$log" | cut -c4-200)); going on with the lists there are."
    fi
    install_all() { apt-get install -y -q --no-install-recommends "$@" >/dev/null; }
    install_all "$@" && exit 0
    echo "Installing again with $codename as the target..."
    install_all -t "$codename" "$@" && exit 0
    echo "The 32-bit Wine (wine32:i386) could not be installed in Debian 13; going on without it."
    without=()
    for package in "$@"; do [ "$package" = wine32:i386 ] || without+=("$package"); done
    install_all "${without[@]}"
  ' debian13_install "$debian13_codename" "${debian13_packages[@]}"
}

# Builds the root where there is no complete one. A root whose packages
# were all installed is marked complete; anything else is started afresh.
ensure_debian13_root() {
  local wanted="${debian13_packages[*]}"
  if [ -f "$debian13_marker" ] && [ "$(head -n1 "$debian13_marker")" = "$wanted" ]; then
    return 0
  fi
  [ "$(id -u)" = 0 ] || debian13_failed "building it needs root."
  ensure_packages debootstrap
  local mirror
  mirror=$(debian_mirror) || debian13_failed "no Debian mirror found in apt's sources here."
  if [ -f "$debian13_marker" ]; then
    # Complete for an older package list: only the new packages come.
    echo "Completing the Debian 13 root at $debian13_root..."
    debian13_install || debian13_failed "its packages did not install."
    printf '%s\n' "$wanted" >"$debian13_marker"
    return 0
  fi

  local partial=$debian13_root.partial attempt log
  echo "Building a Debian 13 root with Wine 10 at $debian13_root, from $mirror (once, about two minutes)..."
  mkdir -p "$(dirname "$debian13_root")"
  for attempt in 1 2 3; do
    rm -rf --one-file-system "$partial"
    if log=$(debootstrap --variant=minbase "$debian13_codename" "$partial" "$mirror" 2>&1); then
      break
    fi
    echo "debootstrap failed: $(tail -n1 <<<"$log")"
    [ $attempt = 3 ] && debian13_failed "debootstrap failed three times ($(tail -n1 <<<"$log"))."
    sleep $((attempt * 20))
  done
  debian13_root_dir=$partial debian13_install || {
    debian13_root_dir=$partial stop_debian13_processes
    debian13_failed "Wine 10 and its company did not install."
  }
  debian13_root_dir=$partial stop_debian13_processes
  debian13_root_dir=$partial in_debian13_root apt-get clean
  rm -rf --one-file-system "$debian13_root"
  mv "$partial" "$debian13_root"
  printf '%s\n' "$wanted" >"$debian13_marker"
}

# What the root's Wine calls itself, such as wine-10.0 (Debian 10.0~repack-6).
debian13_wine_version() { in_debian13_root wine --version 2>/dev/null; }

# Which Windows build the root's Wine runs, as windows_test_preset says it
# for this machine's: win32 where wine32 is installed there and the kernel
# runs 32-bit programs, else win64.
debian13_test_preset() {
  if in_debian13_root bash -c 'dpkg-query -W -f="\${Status}" wine32:i386 2>/dev/null |
    grep -q "install ok installed" && /usr/lib/wine/wine --version >/dev/null 2>&1'; then
    echo win32
  else
    echo win64
  fi
}
