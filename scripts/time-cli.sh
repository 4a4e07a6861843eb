#!/usr/bin/env bash
# Times the command line as a whole process, beside a C program that prints one line: the
# three are run in turn, N rounds (default 21), so that a drift of the machine's speed meets
# each alike. Prints the median, minimum and maximum wall time of each and the medians'
# ratios to the C program; then the longest list (32768 rows) in tsv and json.
# Usage: scripts/time-cli.sh [path to pixolan] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin/pixolan}
rounds=${2:-21}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#include <stdio.h>\nint main(void) { puts("pixolan 1.5"); return 0; }\n' >"$work/one.c"
cc -O2 -o "$work/one-line" "$work/one.c"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
names=("C program, one line" "pixolan --version" "pixolan list")
commands=("$work/one-line" "$bin --version" "$bin list")
for ((round = 0; round < rounds; round++)); do
  for i in "${!commands[@]}"; do
    start=$EPOCHREALTIME
    ${commands[$i]} >/dev/null
    end=$EPOCHREALTIME
    echo "$i ${start/./} ${end/./}" >>"$work/times"
  done
done
awk -v names="$(printf '%s|' "${names[@]}")" '
  { ms = ($3 - $2) / 1000; n[$1]++; t[$1, n[$1]] = ms }
  function sorted_median(k,   i, j, x, c) {
    c = n[k]
    for (i = 1; i <= c; i++) s[i] = t[k, i]
    for (i = 2; i <= c; i++) for (j = i; j > 1 && s[j - 1] > s[j]; j--) { x = s[j]; s[j] = s[j - 1]; s[j - 1] = x }
    lo = s[1]; hi = s[c]
    return s[int((c + 1) / 2)]
  }
  END {
    split(names, label, "|")
    base = sorted_median(0)
    for (k = 0; k in n; k++) {
      m = sorted_median(k)
      printf "%-22s median %6.2f ms  min %6.2f  max %6.2f  (%.2f times the C program)\n", label[k + 1], m, lo, hi, m / base
    }
  }' "$work/times"

list=(list --ratio 1:1 --from 1 --to 32768 --width-div "" --height-div "")
for format in tsv json; do
  : >"$work/times"
  for ((round = 0; round < rounds; round++)); do
    start=$EPOCHREALTIME
    "$bin" "${list[@]}" --format "$format" >/dev/null
    end=$EPOCHREALTIME
    echo "${start/./} ${end/./}" >>"$work/times"
  done
  sort -n <(awk '{ print ($2 - $1) / 1000 }' "$work/times") |
    awk -v f="$format" '{ a[NR] = $1 } END { printf "list of 32768 rows, %-4s median %6.2f ms  min %6.2f  max %6.2f\n", f, a[int((NR + 1) / 2)], a[1], a[NR] }'
done
