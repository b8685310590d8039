#!/usr/bin/env bash
# Benchmarks of the whole program's fill run under Wine, and of its
# per-block path. Defines bench_gui_setup, bench_gui_run, bench_run_breakdown,
# bench_progress_cost, bench_peak_memory and bench_gui_teardown, each printing
# table rows; run directly it does them all. Needs root (tmpfs mounts), Wine
# and Xvfb. With BRIMVALE_WINE_LEG set (scripts/bench runs it so in the
# Debian 13 root, for Wine 10) its prefix and drives are that leg's own.
#
#   bench/gui_bench.sh            # everything, about 6 minutes
#   GUI_BENCH_ROUNDS=3 bench/gui_bench.sh
#   GUI_BENCH_BUILD=/other/build/win64 bench/gui_bench.sh   # another build's programs
#
# Every timed run is preceded by touching and freeing 2 GiB: this kind of
# machine hands freed memory back to its host, so a first touch is slow.

gui_bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../scripts/lib/common.sh
source "$gui_bench_root/scripts/lib/common.sh"
# shellcheck source=stats.sh
source "$gui_bench_root/bench/stats.sh"

: "${GUI_BENCH_ROUNDS:=9}"

# Touches every page of 2 GiB once, then frees it.
gui_bench_touch_memory() {
  local helper=$gui_bench_root/build/bench-native/bin/touch_memory
  if [ -x "$helper" ]; then
    "$helper"
  else
    python3 -c '
import mmap
m = mmap.mmap(-1, 2 << 30)
for i in range(0, 2 << 30, 4096):
    m[i] = 1
'
  fi
}

gui_bench_wine() { "$gui_bench_root/cmake/wine-emulator.sh" "$@"; }
# Arithmetic on decimals: gui_bench_calc "1.5 / 3".
gui_bench_calc() { awk "BEGIN { printf \"%.6f\n\", $1 }"; }


# Builds the programs, boots a throwaway prefix, mounts a 1 GiB drive (T:)
# and a 64 MiB one (U:), each with the program at its root, and starts a
# virtual display when none is set.
bench_gui_setup() {
  local preset
  preset=$(windows_test_preset)
  if [ -n "${GUI_BENCH_BUILD:-}" ]; then
    gui_bench_build=$GUI_BENCH_BUILD
  else
    gui_bench_build="$gui_bench_root/build/$preset"
    [ -f "$gui_bench_build/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2 --target brimvale gui_fill_driver gui_bare_pump \
      gui_same_screen gui_progress_cost gui_run_breakdown >/dev/null || return 1
  fi
  gui_bench_bin="$gui_bench_build/bin"
  # A second Wine (BRIMVALE_WINE_LEG) has a prefix and drives of its own.
  gui_bench_dir=$(wine_leg_path "$gui_bench_build/bench-gui")
  WINEPREFIX=$(wine_leg_path "$gui_bench_dir/prefix")
  export WINEPREFIX BRIMVALE_WINE_BITS=${preset#win}
  export LC_ALL=C.UTF-8
  if [ -z "${DISPLAY:-}" ]; then
    mkdir -p "$gui_bench_dir"
    start_virtual_display "$gui_bench_dir/display" || return 1
    gui_bench_xvfb=$virtual_display_pid
  fi
  prepare_wine_prefix unmanaged
  local letter size dir
  for entry in "t 1g" "u 64m"; do
    read -r letter size <<<"$entry"
    dir="$gui_bench_dir/drive-$letter"
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir"
    mount -t tmpfs -o "size=$size" tmpfs "$dir" || return 1
    cp "$gui_bench_bin/brimvale.exe" "$gui_bench_bin/gui_bare_pump.exe" \
      "$gui_bench_bin/gui_same_screen.exe" "$dir/"
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
  done
}

bench_gui_teardown() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
  local dir
  for dir in "$gui_bench_dir"/drive-*; do mountpoint -q "$dir" && umount "$dir"; done
  if [ -n "${gui_bench_xvfb:-}" ]; then
    kill "$gui_bench_xvfb" 2>/dev/null
    wait "$gui_bench_xvfb" 2>/dev/null
    unset gui_bench_xvfb
  fi
}

gui_bench_clear() { rm -f "$gui_bench_dir/drive-$1"/_filldrive_*.dat "$gui_bench_dir/drive-$1"/dd.bin; }
gui_bench_free() { stat -f -c '%a %S' "$gui_bench_dir/drive-$1" | awk '{print $1 * $2}'; }
gui_bench_field() { tr -d '\r' | tr ' ' '\n' | sed -n "s/^$1=//p"; }

# One fill run from Go to idle on drive $1 of brimvale.exe, or of the program
# named by $2 (in the drive's root); prints the driver's line. The caller
# clears the drive first: before touching memory, since deleting a gigabyte
# of files hands it back to the host again.
gui_bench_program_run() {
  gui_bench_wine "$gui_bench_bin/gui_fill_driver.exe" "${1^^}:\\${2:-brimvale.exe}" "${1^^}:\\"
}

# The whole fill run against the same-screen-work program, the bare
# per-block pump and dd on the 1 GiB drive, alternated in that order in every
# round. Prints the medians and bests, and the GUI's speed against each:
# the median of the rounds' ratios, and the ratio of the best times.
bench_gui_run() {
  local total round line seconds name start
  local -A times=()
  gui_bench_clear t
  total=$(gui_bench_free t)
  for round in $(seq "$GUI_BENCH_ROUNDS"); do
    local -A this=()
    for name in gui same pump dd; do
      gui_bench_clear t
      gui_bench_touch_memory
      case $name in
        gui) line=$(gui_bench_program_run t) || return 1 ;;
        same) line=$(gui_bench_program_run t gui_same_screen.exe) || return 1 ;;
        pump) line=$(gui_bench_program_run t gui_bare_pump.exe) || return 1 ;;
        dd)
          start=$EPOCHREALTIME
          dd if=/dev/zero of="$gui_bench_dir/drive-t/dd.bin" bs=64k count="$total" iflag=count_bytes conv=fsync status=none
          line="seconds=$(gui_bench_calc "$EPOCHREALTIME - $start") free_after=0"
          ;;
      esac
      [ "$(gui_bench_field free_after <<<"$line")" = 0 ] || echo "warning: the $name run left free space: $line" >&2
      this[$name]=$(gui_bench_field seconds <<<"$line")
      times[$name]+="${this[$name]} "
    done
    gui_bench_clear t
    for name in same pump dd; do
      times[vs_$name]+="$(gui_bench_calc "${this[$name]} / ${this[gui]}") "
    done
    printf '# round %d: gui %.3f s, same-screen %.3f s, pump %.3f s, dd %.3f s\n' "$round" \
      "${this[gui]}" "${this[same]}" "${this[pump]}" "${this[dd]}" >&2
  done
  local mib label median best bestGui ratios
  mib=$(gui_bench_calc "$total / 1048576")
  bestGui=$(tr ' ' '\n' <<<"${times[gui]}" | grep . | sort -g | head -n1)
  printf '| %-46s | %8s | %8s | %8s | %-22s | %-13s | %-18s |\n' "fill run, ${total} bytes on tmpfs" "median s" "best s" "MiB/s" "GUI speed / this, median" "spread" "GUI best / this best"
  printf '|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..48})" "----------" "----------" "----------" "------------------------" "---------------" "--------------------"
  for name in gui same pump dd; do
    case $name in
      gui) label="brimvale.exe, Go to idle (Wine)" ;;
      same) label="same screen work, one pump pass a block" ;;
      pump) label="bare program, one PeekMessage pass a block" ;;
      dd) label="dd bs=64k conv=fsync (native)" ;;
    esac
    median=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | bench_median)
    best=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | sort -g | head -n1)
    if [ $name = gui ]; then
      printf '| %-46s | %8.3f | %8.3f | %8.1f | %-24s | %-13s | %-18s |\n' "$label" "$median" "$best" "$(gui_bench_calc "$mib / $median")" "1" "" "1"
    else
      ratios=$(tr ' ' '\n' <<<"${times[vs_$name]}" | grep .)
      printf '| %-46s | %8.3f | %8.3f | %8.1f | %-24.3f | %-13s | %-18.3f |\n' "$label" "$median" "$best" \
        "$(gui_bench_calc "$mib / $median")" "$(bench_median <<<"$ratios")" "$(bench_range <<<"$ratios")" \
        "$(gui_bench_calc "$best / $bestGui")"
    fi
  done
}

# Where the GUI's run goes, measured in-process on the same drive with the
# real window (gui_run_breakdown): medians of each part over the rounds, in
# milliseconds; report_us is one progress report with its pump.
bench_run_breakdown() {
  local round out key
  local -a lines=()
  for round in $(seq "$GUI_BENCH_ROUNDS"); do
    gui_bench_clear t
    gui_bench_touch_memory
    out=$(gui_bench_wine "$gui_bench_bin/gui_run_breakdown.exe" 'T:\' 1 | tr -d '\r') || return 1
    lines+=("$out")
    echo "# breakdown $round: $out" >&2
  done
  gui_bench_clear t
  local keys=(total writes reports report_us file_calls file_window start closing)
  printf '| %-28s |' "run breakdown, median ms"
  printf ' %10s |' "${keys[@]}"
  echo
  printf '|%s|' "------------------------------"
  printf '%s|' $(printf -- '------------ %.0s' "${keys[@]}")
  echo
  printf '| %-28s |' "brimvale's TfrmMain, in-process"
  for key in "${keys[@]}"; do
    printf ' %10.2f |' "$(printf '%s\n' "${lines[@]}" | gui_bench_field "$key" | bench_median)"
  done
  echo
}

# One progress report of TfrmMain in-process, split into the message pump
# and the rest (bar and labels); with the fake clock and with the real one.
bench_progress_cost() {
  local clock out key
  printf '| %-32s | %11s | %11s | %9s | %9s | %19s | %15s |\n' "OnWriteProgress, us per call" "median call" "median pump" "mean call" "mean pump" "bar+labels (means)" "allocs per call"
  printf '|%s|%s|%s|%s|%s|%s|%s|\n' "----------------------------------" "-------------" "-------------" "-----------" "-----------" "---------------------" "-----------------"
  for clock in fake real; do
    if [ $clock = real ]; then
      out=$(GUI_BENCH_REAL_CLOCK=1 gui_bench_wine "$gui_bench_bin/gui_progress_cost.exe" "$GUI_BENCH_ROUNDS") || return 1
    else
      out=$(gui_bench_wine "$gui_bench_bin/gui_progress_cost.exe" "$GUI_BENCH_ROUNDS") || return 1
    fi
    local -a values=()
    for key in call_us pump_us call_mean_us pump_mean_us labels_us allocs_per_call; do
      values+=("$(gui_bench_field "$key" <<<"$(tr '\n' ' ' <<<"$out")" | bench_median)")
    done
    printf '| %-32s | %11.1f | %11.1f | %9.1f | %9.1f | %19.1f | %15.3f |\n' "$clock clock, 1 GiB counting disk" "${values[@]}"
  done
}

# Peak memory of brimvale.exe after a whole run on the 64 MiB and the 1 GiB
# drive, alternated, five pairs; it must not grow with the run. Not timed,
# so no memory is touched before these.
bench_peak_memory() {
  local round line
  local -a small=() large=() smallPf=() largePf=()
  for round in $(seq 5); do
    gui_bench_clear u
    line=$(gui_bench_program_run u) || return 1
    small+=("$(gui_bench_field peak_ws_kib <<<"$line")") smallPf+=("$(gui_bench_field peak_pagefile_kib <<<"$line")")
    gui_bench_clear t
    line=$(gui_bench_program_run t) || return 1
    large+=("$(gui_bench_field peak_ws_kib <<<"$line")") largePf+=("$(gui_bench_field peak_pagefile_kib <<<"$line")")
  done
  gui_bench_clear t
  gui_bench_clear u
  printf '| %-30s | %14s | %14s | %20s |\n' "peak memory of brimvale.exe" "64 MiB run" "1 GiB run" "1 GiB - 64 MiB, KiB"
  printf '|%s|%s|%s|%s|\n' "--------------------------------" "----------------" "----------------" "----------------------"
  local a b
  a=$(printf '%s\n' "${small[@]}" | bench_median) b=$(printf '%s\n' "${large[@]}" | bench_median)
  printf '| %-30s | %10s KiB | %10s KiB | %20s |\n' "PeakWorkingSetSize, median" "$a" "$b" "$((b - a))"
  a=$(printf '%s\n' "${smallPf[@]}" | bench_median) b=$(printf '%s\n' "${largePf[@]}" | bench_median)
  printf '| %-30s | %10s KiB | %10s KiB | %20s |\n' "PeakPagefileUsage, median" "$a" "$b" "$((b - a))"
  echo "# working set per run, 64 MiB: ${small[*]}; 1 GiB: ${large[*]}" >&2
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -uo pipefail
  [ "$(id -u)" = 0 ] || { echo "gui_bench.sh: mounting the drives needs root" >&2; exit 1; }
  trap bench_gui_teardown EXIT
  bench_gui_setup || exit 1
  echo "command: $0 (GUI_BENCH_ROUNDS=$GUI_BENCH_ROUNDS), commit ${GUI_BENCH_COMMIT:-$(git -C "$gui_bench_root" rev-parse --short HEAD 2>/dev/null)}"
  echo "machine: $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB, kernel $(uname -r), $(date -u '+%Y-%m-%d %H:%M UTC'), $(basename "$gui_bench_build") build, $(wine --version) of $(. /etc/os-release && echo "$PRETTY_NAME"), load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo
  bench_gui_run
  echo
  bench_run_breakdown
  echo
  bench_progress_cost
  echo
  bench_peak_memory
fi
