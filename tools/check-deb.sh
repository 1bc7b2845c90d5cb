#!/usr/bin/env bash
# Checks the Debian package of `make deb` on this machine: lintian (when installed) finds no
# error; as root, `dpkg -i` installs it, examples/hello builds on it with no prefix given and runs
# offscreen, and `dpkg -r` removes every file it brought. It changes /usr for a while: run it
# where that is allowed, never in CI.
#   usage: tools/check-deb.sh [PACKAGE.deb]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "${1:-$root/build-deb/dravik_3.0_amd64.deb}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

dpkg-deb --contents "$deb" >"$scratch/contents"
echo "$(grep -c '^-' "$scratch/contents") files in $deb"
if command -v lintian >/dev/null; then
  lintian "$deb" >"$scratch/lintian" 2>&1 || true
  cat "$scratch/lintian"
  ! grep -q '^E:' "$scratch/lintian" || fail "lintian reports errors"
fi
[ "$(id -u)" -eq 0 ] || { echo "not root: the package was not installed"; exit 0; }
! dpkg-query -W dravik >/dev/null 2>&1 || fail "a package dravik is installed already"

dpkg -i "$deb" >/dev/null
trap 'dpkg -P dravik >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
dpkg -L dravik >"$scratch/files"
cp -r "$root/examples/hello" "$scratch/hello"
env -u CMAKE_PREFIX_PATH cmake -S "$scratch/hello" -B "$scratch/hello/build" -G Ninja >/dev/null
cmake --build "$scratch/hello/build" -j2 >/dev/null
(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
   "$scratch/hello/build/hello" --screenshot-dir "$scratch/shots")
[ -s "$scratch/shots/hello-English.png" ] && [ -s "$scratch/shots/hello-Deutsch.png" ] ||
  fail "the example built on the package took no pictures"

dpkg -r dravik >/dev/null
left=$(while read -r file; do [ -d "$file" ] || [ ! -e "$file" ] || echo "$file"; done <"$scratch/files")
[ -z "$left" ] || fail "dpkg -r left: $left"
dpkg -P dravik >/dev/null
echo "installed, the example built and ran on it, and removed without leftovers"
