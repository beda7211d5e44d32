#!/usr/bin/env bash
# Sets everything up and runs rupinako: on the folders given, or on a copy of
# the bundled samples when none is given.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRUPINAKO_TESTS=OFF
if [ $# -eq 0 ]; then
  rm -rf "$top/build/sample-run"
  mkdir -p "$top/build/sample-run"
  cp -r "$top/samples/photos" "$top/build/sample-run/"
  set -- "$top/build/sample-run/photos"
  echo "Running on the samples; the sheets go to $top/build/sample-run/"
fi
exec "$top/build/app/rupinako" "$@"
