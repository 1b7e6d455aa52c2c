#!/usr/bin/env bash
# Does anything but input end the display? Starts `driftglyph /s` N times
# (default 200) under openbox on a 1920x1080 Xvfb, each time with the pointer
# somewhere new and still, and counts the starts that ended by themselves
# within 2.5 s (a screenshot of each is kept in the work folder, which is
# then left in place). The others are ended with a key.
#
#   bench/openbox_starts.sh [N] [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/x_server.sh"

count=${1:-200}
build=${2:-build}
program=$(realpath "$build/src/driftglyph")
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
start_x_server 1920x1080 "$work/display"
pids+=("$x_server_pid")
export DISPLAY=$x_server_display
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

early=0
for i in $(seq "$count"); do
  xdotool mousemove $((RANDOM % 1900 + 10)) $((RANDOM % 1060 + 10))
  started=$(date +%s%3N)
  "$program" --home "$work/home" /s 2>/dev/null &
  pid=$!
  sleep 2.5
  if kill -0 "$pid" 2>/dev/null; then
    xdotool key a
  else
    early=$((early + 1))
    echo "start $i ended by itself after $(( $(date +%s%3N) - started )) ms"
    import -window root "$work/early-$i.png" 2>/dev/null || true
  fi
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
echo "$early of $count starts ended without input"
[ "$early" -eq 0 ] && rm -rf "$work" || echo "screenshots in $work"
