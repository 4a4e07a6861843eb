#!/usr/bin/env bash
# Times `pixolan list` for the longest list (32768 rows) as a whole process and splits the
# figure: process start (loading the program and its shared libraries, `--version`) and the
# list itself. Medians of N runs (default 21).
# Usage: scripts/time-cli.sh [path to pixolan] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/default/src/ui/pixolan}
runs=${2:-21}

# Prints the medians of the wall time and of the CPU time (user + system) of a command. On a
# busy machine the wall time waits for a core; the CPU time is what the run itself costs.
median_ms() {
  local TIMEFORMAT='%R %U %S' samples=()
  for ((i = 0; i < runs; i++)); do
    samples+=("$({ time "$@" >/dev/null; } 2>&1)")
  done
  printf '%s\n' "${samples[@]}" | awk '{ wall[NR] = $1 * 1000; cpu[NR] = ($2 + $3) * 1000 }
    function median(a, n,   i, j, t) {
      for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
      return a[int((n + 1) / 2)]
    }
    END { printf "wall %5.0f ms, cpu %5.0f ms", median(wall, NR), median(cpu, NR) }'
}

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
echo "process start only (/bin/true):       $(median_ms /bin/true)"
echo "pixolan start (--version):            $(median_ms "$bin" --version)"
echo "pixolan list, 32768 rows, tsv:        $(median_ms "$bin" list --ratio 1:1 --from 1 --to 32768 --width-div "" --height-div "")"
echo "pixolan list, 32768 rows, json:       $(median_ms "$bin" list --ratio 1:1 --from 1 --to 32768 --width-div "" --height-div "" --format json)"
