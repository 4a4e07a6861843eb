#!/usr/bin/env bash
# Builds the program (installing what is missing first) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target pixolan --parallel "$(nproc)"
exec build/default/bin/pixolan "$@"
