#!/usr/bin/env bash
# The layer check refuses an upward include in every spelling, and an include of a project folder
# that is no layer; includes downward and within a layer pass.
set -u
layers="$(cd "$(dirname "$0")/../../cmake" && pwd)/Layers.cmake"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

configure() { # $1: the include line planted in low/a.cpp
  rm -rf "$work/p"
  mkdir -p "$work/p/low" "$work/p/high" "$work/p/apps"
  printf 'cmake_minimum_required(VERSION 3.25)\nproject(Planted CXX)\ninclude(%s)\n' "$layers" >"$work/p/CMakeLists.txt"
  printf 'set(DRAVIK_LAYER_FOLDERS low high)\ndravik_layer(low_layer low)\ndravik_layer(high_layer high BELOW low)\n' >>"$work/p/CMakeLists.txt"
  printf '%s\nint a;\n' "$1" >"$work/p/low/a.cpp"
  printf '#include "low/d.h"\nint b;\n' >"$work/p/high/b.cpp"
  touch "$work/p/high/b.h" "$work/p/low/d.h" "$work/p/apps/c.h"
  cmake -S "$work/p" -B "$work/p/build" >"$work/out" 2>&1
}

failures=0
for planted in '#include "high/b.h"' '#  include "high/b.h"' '  #include <high/b.h>' \
               '# include<high/b.h>' '#	include "high/b.h" // tab' '#include "apps/c.h"'; do
  if configure "$planted" || ! grep -q 'includes .*, a layer above it' "$work/out"; then
    echo "not refused: $planted"; failures=$((failures + 1))
  fi
done
for allowed in '#include "low/d.h"' '#include <string>' '#include "d.h"'; do
  if ! configure "$allowed"; then
    echo "refused: $allowed"; cat "$work/out"; failures=$((failures + 1))
  fi
done
exit $((failures > 0))
