#!/usr/bin/env bash
# Sets everything up and runs every test: a normal build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for
# a short bounded time.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" --tests
jobs=$(nproc)

# The window tests need an X server: the normal build's tests run under Xvfb.
"$top/scripts/build.sh" "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$top/build" && "$top/scripts/with-xvfb.sh" ctest --output-on-failure -j "$jobs")

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$top/scripts/build.sh" "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DRUPINAKO_SANITIZE=ON
(cd "$top/build-asan" && "$top/scripts/with-xvfb.sh" ctest --output-on-failure -j "$jobs")

if [ -d "$top/fuzz" ]; then
  CC=clang CXX=clang++ "$top/scripts/build.sh" "$top/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRUPINAKO_FUZZ=ON -DRUPINAKO_TESTS=OFF
  "$top/scripts/fuzz.sh" "$top/build-fuzz" 20
fi
echo "all tests passed"
