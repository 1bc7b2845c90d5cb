#!/usr/bin/env bash
# Runs every fuzz target in DIR for SECONDS each, with its corpus under build-fuzz/corpus/NAME
# and what it finds (crashes, leaks, time-outs) under build-fuzz/artifacts.
set -euo pipefail
dir=$1
seconds=${2:-60}
status=0
for target in "$dir"/fuzz_*; do
  name=$(basename "$target")
  corpus="$(dirname "$dir")/corpus/$name"
  artifacts="$(dirname "$dir")/artifacts"
  mkdir -p "$corpus" "$artifacts"
  seeds="tests/data/fuzz/$name"
  echo "== $name (${seconds}s)"
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "${args[@]}" >"$corpus.log" 2>&1; then
    echo "FAILED: $name (see $corpus.log)"
    tail -30 "$corpus.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$corpus.log" | tail -2
  fi
done
exit $status
