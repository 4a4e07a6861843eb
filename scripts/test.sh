#!/usr/bin/env bash
# The whole check, from a fresh Debian machine to ctest's summary: install what is missing,
# check formatting, build and run every test, then build and run them again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== Formatting"
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run -Werror "${sources[@]}"
fi

jobs=$(nproc)
for preset in default asan; do
  echo "== Build and test: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs"
  ctest --preset "$preset" --parallel "$jobs"
done
