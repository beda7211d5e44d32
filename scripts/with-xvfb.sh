#!/usr/bin/env bash
# with-xvfb.sh CMD...: runs CMD with DISPLAY set to a fresh virtual X server
# (Xvfb, 1024x768, 24-bit), then stops the server. The server takes a free
# display number (from :90 up), listens on its local socket only, and admits
# only clients that hold its xauth cookie (XAUTHORITY, a temporary file). CMD's exit status is the script's.
set -euo pipefail
if [ $# -eq 0 ]; then
  echo "usage: $0 CMD [ARGS...]" >&2
  exit 2
fi
command -v Xvfb >/dev/null || { echo "$0: Xvfb is not installed (Debian package xvfb)" >&2; exit 1; }
command -v xauth >/dev/null || { echo "$0: xauth is not installed (Debian package xauth)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/rupinako-xvfb.XXXXXX")
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export XAUTHORITY="$work/Xauthority"
: > "$XAUTHORITY"
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')

# Take the first display number with neither a lock nor a socket; if another
# server takes it first, Xvfb fails at once and the next number is tried.
number=""
for n in $(seq 90 189); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  xauth -q -f "$XAUTHORITY" add ":$n" MIT-MAGIC-COOKIE-1 "$cookie" >/dev/null 2>&1
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -auth "$XAUTHORITY" 2>"$work/xvfb.log" &
  server=$!
  for _ in $(seq 1 200); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$server" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
    number=$n
    break
  fi
  wait "$server" 2>/dev/null || true
  server=""
done
if [ -z "$number" ]; then
  echo "$0: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2 2>/dev/null || true
  exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY

set +e
"$@"
status=$?
set -e
exit "$status"
