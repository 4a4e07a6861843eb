#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a temporary root, checks
# what it installs with the desktop validators, and runs the program from there with no
# display. Usage: deb_test.sh <build folder> <cpack>
set -euo pipefail
build=$1
cpack=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "one .deb expected, got: ${debs[*]}"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] ||
  fail "shared-library dependencies not computed: '$depends'"

# Debian's own check: no error, no warning, and of the hardening notes only the one about
# string functions, which the window program hardly calls. It runs as root in CI, which it
# only remarks on.
lintian -I --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian"; }
! grep hardening- "$work/lintian.log" | grep -v hardening-no-fortify-functions ||
  fail "hardening flags missing"
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $recommends == *qt6-wayland* ]] || fail "the Wayland platform is not recommended: '$recommends'"
# Read whole, not through head or grep -q: they close the pipe once they have their line, and
# the writer, if still writing, fails on it, which pipefail reports now and then.
description=$(dpkg-deb -f "$deb" Description)
summary=${description%%$'\n'*}
[ ${#summary} -lt 80 ] || fail "description summary of ${#summary} characters"

root=$work/root
dpkg-deb -x "$deb" "$root"
id=example.pixolan.Pixolan
expected=(
  usr/bin/pixolan
  usr/libexec/pixolan/pixolan-window
  usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/pixolan.1.gz
  usr/share/doc/pixolan/copyright
  usr/share/doc/pixolan/changelog.gz
  usr/share/bash-completion/completions/pixolan
  usr/share/zsh/vendor-completions/_pixolan
  usr/share/fish/vendor_completions.d/pixolan.fish
  usr/share/pixolan/translations/pixolan_de.qm
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
actual=$(cd "$root" && find . -type f | sed 's#^\./##' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] || fail "package files differ:
$(diff <(echo "$wanted") <(echo "$actual"))"

for program in usr/bin/pixolan usr/libexec/pixolan/pixolan-window; do
  dynamic=$(readelf -d "$root/$program")
  ! grep -qE 'RPATH|RUNPATH' <<<"$dynamic" || fail "$program carries a library search path"
  symbols=$(readelf -sW --dyn-syms "$root/$program")
  grep -q __stack_chk_fail <<<"$symbols" || fail "$program has no stack protector"
done

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop file"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/as.log" ||
  { cat "$work/as.log"; fail "metainfo"; }
manual=$(zcat "$root/usr/share/man/man1/pixolan.1.gz")
grep -q '^\.SH OPTIONS OF LIST' <<<"$manual" || fail "man page"

run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/pixolan" "$@"; }
[ "$(run --version)" = "pixolan 1.5" ] || fail "--version"
list=$(run list --to 32 --no-header)
[ "$list" = $'16\t12\t100\t192\t0 / 0\t2,4,8\t2,3,4,6\t16:16 (+0:+4)
32\t24\t400\t768\t16 / 12\t2,4,8,16\t2,3,4,6,8,12\t32:32 (+0:+8)' ] || fail "list: $list"
# The command line hands the window over to the program under libexec.
out=$(run 2>&1) && fail "the window started without a display"
[[ $out == *"no display"* ]] || fail "no word of the missing display: $out"
status=0
timeout 2 env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/pixolan" -platform offscreen \
  >"$work/window.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/window.log"; fail "the window did not keep running ($status)"; }
echo "package ok: $(basename "$deb")"
