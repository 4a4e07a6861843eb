#!/usr/bin/env bash
# Loads the bash completion and asks it what a user gets on Tab: the sub-commands, every option
# that each command's --help lists (no more, no fewer), and the formats of --format. The zsh
# and fish files are checked for their syntax where those shells are installed.
# Usage: completion_test.sh <pixolan> <completions folder>
set -euo pipefail
pixolan=$1
folder=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# shellcheck source=/dev/null
source "$folder/pixolan.bash"
# What Tab offers after the words given, the last one being the word under the cursor.
offers() {
  COMP_WORDS=(pixolan "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _pixolan
  ((${#COMPREPLY[@]} == 0)) || printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
}
sorted() { tr ' ' '\n' | sed '/^$/d' | sort | tr '\n' ' '; }

[ "$(offers '')" = "$(echo "--help --version formats identify list" | sorted)" ] ||
  fail "commands: $(offers '')"
[ "$(offers li)" = "list " ] || fail "li: $(offers li)"
for command in list identify formats; do
  help=$("$pixolan" "$command" --help)
  listed=$(grep -o '^  --[a-z-]*' <<<"$help" | tr -d ' ' | sort -u | tr '\n' ' ')
  listed="$listed--help "
  [ "$(offers "$command" --)" = "$(echo "$listed" | sorted)" ] ||
    fail "$command options: '$(offers "$command" --)' but --help lists '$listed'"
  formats=$(grep -- '--format FORMAT' <<<"$help" | sed -E 's/.*FORMAT +([a-z, ]+) or ([a-z]+).*/\1 \2/' | tr -d ',')
  [ "$(offers "$command" --format '')" = "$(echo "$formats" | sorted)" ] ||
    fail "$command --format: '$(offers "$command" --format '')' but --help lists '$formats'"
done
[ -z "$(offers list --ratio '')" ] || fail "a ratio is typed, not completed"

if command -v zsh >/dev/null; then zsh -n "$folder/_pixolan" || fail "zsh syntax"; fi
if command -v fish >/dev/null; then fish -n "$folder/pixolan.fish" || fail "fish syntax"; fi
echo "completion ok"
