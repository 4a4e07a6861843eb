#!/usr/bin/env bash
# The whole check, from a fresh Debian machine to ctest's summary: install what is missing,
# check formatting, replay and briefly run the fuzz targets, build and run every test, then
# build and run them again under AddressSanitizer and UndefinedBehaviorSanitizer. Warnings
# are errors in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== Formatting"
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run -Werror "${sources[@]}"
fi

jobs=$(nproc)

# Replays each fuzz target's seed corpus and fuzzes it for a few seconds, so a regression
# that the corpus or a short run finds fails the check. Findings land in build/fuzz/findings.
echo "== Fuzz: seed corpus and a short run per target"
if command -v clang++ >/dev/null && clang++ -fsanitize=fuzzer -x c++ -o /dev/null - \
  <<<'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
  2>/dev/null; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --parallel "$jobs"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
  for corpus in tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    new=build/fuzz/corpus/$name findings=build/fuzz/findings/$name log=build/fuzz/$name.log
    mkdir -p "$new" "$findings"
    if ! "build/fuzz/tests/fuzz/${name}_fuzz" -max_total_time=3 -timeout=10 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$new" "$corpus" >"$log" 2>&1; then
      tail -n 60 "$log"
      echo "fuzz target $name failed; the input is in $findings" >&2
      exit 1
    fi
    echo "$name: $(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs"
  done
else
  echo "clang with libFuzzer is not installed: skipping the fuzz step"
fi

for preset in default asan; do
  echo "== Build and test: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs"
  ctest --preset "$preset" --parallel "$jobs"
done
