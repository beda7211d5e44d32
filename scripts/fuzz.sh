#!/usr/bin/env bash
# fuzz.sh <fuzz-build-dir> <seconds>: runs every fuzz target for a bounded time
# on a copy of its seed corpus. Fails when a target finds a crash.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; seconds=$2
shopt -s nullglob
for target in "$dir"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  work=$(mktemp -d)
  cp -r "$top/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -artifact_prefix="$dir/crash-$name-" "$work" > "$dir/fuzz-$name.log" 2>&1 \
    || { tail -50 "$dir/fuzz-$name.log"; rm -rf "$work"; exit 1; }
  rm -rf "$work"
done
