#!/bin/bash
# Gathers real text form files into the folder given: the .lfm, .dfm and .xfm files of Debian's
# Lazarus source package (only those files are taken from it), and those found on this machine.
set -euo pipefail
target="$1"
mkdir -p "$target"
if [ ! -d "$target/lazarus" ]; then
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get download lazarus-src-2.2 >/dev/null)
  mkdir -p "$target/lazarus"
  dpkg-deb --fsys-tarfile "$work"/lazarus-src-*.deb |
    tar -x -C "$target/lazarus" --wildcards '*.lfm' '*.dfm' '*.xfm' 2>/dev/null || true
fi
mkdir -p "$target/machine"
find / -xdev \( -path /proc -o -path "$target" -o -path /tmp \) -prune -o \
  -type f \( -iname '*.lfm' -o -iname '*.dfm' -o -iname '*.xfm' \) -print 2>/dev/null |
  while read -r file; do cp "$file" "$target/machine/$(echo "$file" | tr / _)"; done
echo "$(find "$target" -type f | wc -l) form files in $target"
