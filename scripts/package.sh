#!/usr/bin/env bash
# Builds the program and its Debian package (installing what is missing first), then lists
# what the package installs. The package lands in build/default/package/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)" --target pixolan pixolan_manpage
cpack -G DEB --config build/default/CPackConfig.cmake -B build/default/package
dpkg-deb --field build/default/package/pixolan_*.deb
dpkg-deb --contents build/default/package/pixolan_*.deb
