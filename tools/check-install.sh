#!/usr/bin/env bash
# Uses the framework as a project of its own would: installs the build into a scratch prefix,
# builds examples/hello against it with only CMAKE_PREFIX_PATH set, runs it offscreen and checks
# its pictures in both languages; a broken form file must fail that build with the tool's one
# line; the steps of docs/GUIDE.md run as written; a program built with the pkg-config flags
# alone must link and run. Without a configured
# BUILD (default build/) it configures and builds one first.
#   usage: tools/check-install.sh [BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && realpath -m "${1:-build}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
step() { printf '%s (%ss)\n' "$1" "$SECONDS"; }
fail() { echo "check-install: $*" >&2; exit 1; }

if [ ! -f "$build/build.ninja" ]; then
  (cd "$root" && cmake --preset debug -B "$build" && cmake --build "$build" -j2)
  step "built"
fi
cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log"
step "installed into a scratch prefix"

# The example, in a folder of its own, sees nothing of this tree but the installed package.
cp -r "$root/examples/hello" "$scratch/hello"
env -u CMAKE_PREFIX_PATH CMAKE_PREFIX_PATH="$scratch/prefix" \
  cmake -S "$scratch/hello" -B "$scratch/hello/build" -G Ninja >"$scratch/configure.log" ||
  { cat "$scratch/configure.log"; fail "the example does not configure"; }
cmake --build "$scratch/hello/build" -j2 >"$scratch/build.log" ||
  { cat "$scratch/build.log"; fail "the example does not build"; }
step "example built"

shots="$scratch/shots"
(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
   "$scratch/hello/build/hello" --screenshot-dir "$shots")
for language in English Deutsch; do
  picture="$shots/hello-$language.png"
  [ "$(head -c 8 "$picture" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "no picture $picture"
done
cmp -s "$shots/hello-English.png" "$shots/hello-Deutsch.png" &&
  fail "the window looks the same in English and German"
step "example ran offscreen: hello-English.png, hello-Deutsch.png"
if [ -n "${DRAVIK_KEEP_SCREENSHOTS:-}" ]; then
  mkdir -p "$DRAVIK_KEEP_SCREENSHOTS" && cp "$shots"/*.png "$DRAVIK_KEEP_SCREENSHOTS"
fi

# The same form as a binary file makes the same program.
"$scratch/prefix/bin/dravik" convert --to binary "$scratch/hello/forms/THelloForm.txt" \
  "$scratch/hello/forms/THelloForm.dfm"
sed -i 's|forms/THelloForm.txt|forms/THelloForm.dfm|' "$scratch/hello/CMakeLists.txt"
cmake --build "$scratch/hello/build" -j2 >"$scratch/binary.log" ||
  { cat "$scratch/binary.log"; fail "the example does not build with a binary form"; }
(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
   "$scratch/hello/build/hello" --screenshot-dir "$scratch/binary-shots" >/dev/null)
for language in English Deutsch; do
  cmp -s "$shots/hello-$language.png" "$scratch/binary-shots/hello-$language.png" ||
    fail "the window from the binary form differs in $language"
done
step "a binary form file makes the same window"
sed -i 's|forms/THelloForm.dfm|forms/THelloForm.txt|' "$scratch/hello/CMakeLists.txt"

# A form file the tool cannot read stops the build with the tool's message about it.
printf "object HelloForm: THelloForm\n  Caption = 'cut off\nend\n" >"$scratch/hello/forms/THelloForm.txt"
if cmake --build "$scratch/hello/build" >"$scratch/broken.log" 2>&1; then
  fail "a broken form file built"
fi
grep -qx "dravik convert: .*THelloForm.txt: Unterminated string on line 2" "$scratch/broken.log" ||
  { cat "$scratch/broken.log"; fail "the failed build does not show the tool's message"; }
step "a broken form file fails the build with the tool's message"

# The guide's steps, in a fresh copy of the example, with the installed programs.
mkdir -p "$scratch/home"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$scratch/home" \
  DRAVIK_REGISTRY="$scratch/home/registry.reg" PATH="$scratch/prefix/bin:$PATH" \
  CMAKE_PREFIX_PATH="$scratch/prefix" \
  python3 "$root/tools/run-guide.py" "$root/docs/GUIDE.md" "$root/examples/hello" "$scratch/guide" \
  >"$scratch/guide.log" 2>&1 || { cat "$scratch/guide.log"; fail "a step of docs/GUIDE.md failed"; }
step "$(tail -n 1 "$scratch/guide.log")"

# Installed and without a display, the demo and the studio picture into the current folder,
# never into the installation.
mkdir -p "$scratch/run"
(cd "$scratch/run" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch/home" \
   DRAVIK_REGISTRY="$scratch/home/registry.reg" sh -c \
   "'$scratch/prefix/bin/dravik-demo' && '$scratch/prefix/bin/dravik-studio' '$scratch/guide/forms'") \
  >"$scratch/run.log" 2>&1 || { cat "$scratch/run.log"; fail "the installed demo or studio failed"; }
for picture in screenshots/main-Deutsch.png screenshots/studio/THelloForm-English.png; do
  [ -s "$scratch/run/$picture" ] || { cat "$scratch/run.log"; fail "no $picture in the current folder"; }
done
[ ! -e "$scratch/prefix/screenshots" ] || fail "pictures were written into the installation"
step "the installed demo and studio picture into the current folder"

# pkg-config alone: a program of the non-visual library.
cat >"$scratch/languages.cpp" <<'CPP'
#include <dravik/Dravik.h>
#include <iostream>
int main() { std::cout << dravik::LanguageTableCount() << "\n"; }
CPP
export PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig"
# shellcheck disable=SC2046
c++ "$scratch/languages.cpp" -o "$scratch/languages" $(pkg-config --cflags --libs dravik)
[ "$(LD_LIBRARY_PATH="$scratch/prefix/lib" "$scratch/languages")" -gt 0 ] ||
  fail "the pkg-config program does not run"
pkg-config --exists dravik-widgets || fail "pkg-config does not find dravik-widgets"
step "pkg-config flags build and link a program"
