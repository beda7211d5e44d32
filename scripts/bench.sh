#!/usr/bin/env bash
# bench.sh [build-dir]: measures the program on generated folders of large
# pictures: wall time and peak memory (resident set) of whole headless runs.
# Not part of the tests; results go to standard output.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
measure() {
  local label=$1 folder=$2
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "$label: %e s, peak %M KiB" env RUPINAKO_HEADLESS=1 RUPINAKO_OPENER=/bin/true \
      "$build/app/rupinako" "$folder" > /dev/null
  else
    local start=$(date +%s.%N)
    RUPINAKO_HEADLESS=1 RUPINAKO_OPENER=/bin/true "$build/app/rupinako" "$folder" > /dev/null
    echo "$label: $(echo "$(date +%s.%N) - $start" | bc) s"
  fi
}
mkdir -p "$work/jpeg6mp" "$work/bmp3mp" "$work/small"
"$build/tools/makepictures/makepictures" "$work/jpeg6mp" 40 3000 2000 jpg
"$build/tools/makepictures/makepictures" "$work/bmp3mp" 40 2000 1500 bmp
"$build/tools/makepictures/makepictures" "$work/small" 720 160 120 jpg
measure "40 JPEG pictures of 3000 x 2000 (2 sheets)" "$work/jpeg6mp"
measure "40 BMP pictures of 2000 x 1500 (2 sheets)" "$work/bmp3mp"
measure "720 JPEG pictures of 160 x 120 (20 sheets)" "$work/small"
