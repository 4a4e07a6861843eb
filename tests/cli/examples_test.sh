#!/usr/bin/env bash
# Runs every example of the manual page and of the README's command-line section as a user
# would paste it, with the built program first on the PATH: each must succeed and print at
# least one line.
# Usage: examples_test.sh <folder of the built pixolan> <source folder>
set -euo pipefail
bin=$1
source=$2
command -v jq >/dev/null || { echo "FAIL: the examples need jq" >&2; exit 1; }

examples=$(
  sed -n '/^\.SH EXAMPLES/,/^\.fi/p' "$source/packaging/pixolan.1" | sed '1,2d;$d' |
    sed -e 's/\\-/-/g' -e 's/\\e/\\/g'
  sed -n '/^## Command line/,/^## /p' "$source/README.md" | sed -n '/^```sh/,/^```/p' | sed '/^```/d'
)
[ "$(grep -c pixolan <<<"$examples")" -ge 10 ] || { echo "FAIL: too few examples found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0
while IFS= read -r example; do
  [ -n "$example" ] || continue
  status=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$bin:$PATH" bash -o pipefail -c "$example" 2>&1) ||
    status=$?
  # 141: a stage ended by SIGPIPE because a later one (head) had read all it wanted.
  if [ "$status" -ne 0 ] && [ "$status" -ne 141 ]; then
    echo "FAIL: $example" >&2
    echo "$out" | head -5 >&2
    failed=1
  elif [ -z "$out" ]; then
    echo "FAIL: printed nothing: $example" >&2
    failed=1
  fi
done <<<"$examples"
[ "$failed" -eq 0 ] && echo "examples ok: $(grep -c pixolan <<<"$examples")"
