#!/usr/bin/env bash
# Runs every fuzz target in DIR for SECONDS each (or only those named after them), with its corpus
# under build-fuzz/corpus/NAME and what it finds (crashes, leaks, time-outs) under
# build-fuzz/artifacts. Targets of source text see inputs up to 1 MB, a real unit's size; the
# stream readers keep libFuzzer's default.
set -euo pipefail
dir=$1
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
# Leaks of system libraries that are not ours, as in the test suite.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
for target in "$dir"/fuzz_*; do
  name=$(basename "$target")
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  corpus="$(dirname "$dir")/corpus/$name"
  artifacts="$(dirname "$dir")/artifacts"
  mkdir -p "$corpus" "$artifacts"
  seeds="tests/data/fuzz/$name"
  echo "== $name (${seconds}s)"
  limits=()
  case $name in
    fuzz_parse_lines | fuzz_dravik_parser) limits=(-max_len=1048576 -len_control=0) ;;
  esac
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  if ! "$target" "${limits[@]}" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "${args[@]}" >"$corpus.log" 2>&1; then
    echo "FAILED: $name (see $corpus.log)"
    tail -30 "$corpus.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$corpus.log" | tail -2
  fi
done
exit $status
