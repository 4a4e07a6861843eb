#!/usr/bin/env bash
# Times the window's start-up as a whole process, to its first window mapped under a private
# Xvfb with openbox, alternated run by run with a minimal Qt Widgets program that shows one
# label, so that both meet the same machine load. Prints median, min and max of each, the
# ratio of the medians, and the spread of the yardstick as the machine's noise.
# Usage: scripts/time-window.sh [window program] [runs] [display]
#   window program: default build/default/bin/pixolan (the command that hands over to the window); runs: default 31; display: 211..219
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/default/bin/pixolan}
runs=${2:-31}
display=${3:-}
timer=build/default/bench/pixolan-map-timer
minimal=build/default/bench/pixolan-minimal-window
for tool in "$program" "$timer" "$minimal"; do
  [[ -x $tool ]] || { echo "missing $tool (build the default preset first)" >&2; exit 2; }
done
for tool in Xvfb openbox xdpyinfo xprop; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 2; }
done

if [[ -z $display ]]; then
  for n in 211 212 213 214 215 216 217 218 219; do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || { display=$n; break; }
  done
fi
[[ -n $display ]] || { echo "no free display in :211..:219" >&2; exit 2; }

work=$(mktemp -d)
server=
manager=
cleanup() {
  for pid in $manager $server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
server=$!
export DISPLAY=":$display"
for ((i = 0; i < 100; i++)); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
openbox --sm-disable >"$work/openbox.log" 2>&1 &
manager=$!
# openbox is ready once it owns the screen's window manager selection.
for ((i = 0; i < 100; i++)); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run of each first: caches (fonts, the dynamic loader) are warm for both alike.
"$timer" "$program" >/dev/null
"$timer" "$minimal" >/dev/null
for ((i = 0; i < runs; i++)); do
  "$timer" "$program" >>"$work/window"
  "$timer" "$minimal" >>"$work/minimal"
done

stats() { # median min max of the numbers in a file
  sort -g "$1" | awk '{ v[NR] = $1 } END { printf "%.1f %.1f %.1f\n", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
read -r wmed wmin wmax < <(stats "$work/window")
read -r mmed mmin mmax < <(stats "$work/minimal")
printf 'first window mapped, %d runs each, alternated, display :%s\n' "$runs" "$display"
printf '  %-28s median %6.1f ms  min %6.1f  max %6.1f\n' "$(basename "$program")" "$wmed" "$wmin" "$wmax"
printf '  %-28s median %6.1f ms  min %6.1f  max %6.1f\n' "minimal Qt Widgets (label)" "$mmed" "$mmin" "$mmax"
awk -v w="$wmed" -v m="$mmed" -v lo="$mmin" -v hi="$mmax" 'BEGIN {
  printf "  ratio of medians %.2f; noise (yardstick max/min) %.2f\n", w / m, hi / lo }'
