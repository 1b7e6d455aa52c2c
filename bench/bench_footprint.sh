#!/usr/bin/env bash
# Footprint of the running display: peak memory and CPU of the program and of
# the X server, at 1920x1080 and 3840x2160, beside a bare full-screen Qt window.
#
#   [ROWS="driftglyph hack smooth floor"] [WARMUP=5] bench/bench_footprint.sh [BUILD_DIR] [SECONDS] [SIZES...]
#
# Each run starts its own Xvfb, shows `driftglyph /s` at speed 7 with every
# pattern in order over the default picture for WARMUP + SECONDS (default
# 5 + 30), then reads VmHWM from /proc and ends the display with a click.
# These rows draw one frame a tick ([display] smooth=false), as before smooth
# motion; the smooth row is speed 3 with smooth motion, frames at the screen's
# refresh rate between the ticks, and the optional ticks row the same speed
# without it: what smooth motion adds is the difference between the two.
# The hack row is the same display drawn into the root window as a
# screen-saver host runs it (`--root`), ended by SIGTERM.
# CPU (utime+stime of program and server, from /proc) and frames (the frame
# count the program reports each second, DRIFTGLYPH_TICK_REPORT) are counted
# over the SECONDS after the first WARMUP, so the figures are those of the
# running display; "start ms" is the CPU of both over the warm-up (start-up,
# the first full-screen picture and WARMUP seconds of frames).
set -euo pipefail
. "$(dirname "$0")/x_server.sh"

build=${1:-build}
seconds=${2:-30}
warmup=${WARMUP:-5}
shift $(( $# > 2 ? 2 : $# ))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)

program=$(realpath "$build/src/driftglyph")
floor=$(realpath "$build/bench/floor_window")
for exe in "$program" "$floor"; do
  [ -x "$exe" ] || { echo "missing $exe (build first)" >&2; exit 1; }
done
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

hz=$(getconf CLK_TCK)
# CPU milliseconds (user + system) a process has used so far.
cpu_ms() { awk -v hz="$hz" '{ sub(/^.*\) /, ""); split($0, f, " "); print int((f[12] + f[13]) * 1000 / hz) }' "/proc/$1/stat"; }
peak_mb() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
now_ms() { date +%s%3N; }

start_xvfb() {
  start_x_server "$1" "$work/display"
  xvfb_pid=$x_server_pid
  export DISPLAY=$x_server_display
}

stop_xvfb() {
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# A home folder whose settings show every pattern in order at speed 7 (or
# SPEED) over the default picture, with smooth motion SMOOTH (false).
make_home() {
  local home=$work/home-$1-${2:-7}-${3:-false}
  write_ordered_settings "$home" "${2:-7}"
  printf '[display]\nsmooth=%s\n' "${3:-false}" >"$home/Driftglyph.ini"
  echo "$home"
}

# The frames the program has reported so far, and how many reports it made.
frames_so_far() { awk '/^ticks / { t = $2 } END { print t + 0 }' "$work/stderr"; }
reports() { grep -c '^ticks ' "$work/stderr" || true; }
# Waits (up to 2 s) for the program's next report, so that the CPU read
# right after goes with the frames it reports.
next_report() {
  local before
  before=$(reports)
  for _ in $(seq 100); do
    [ "$(reports)" -gt "$before" ] && return
    sleep 0.02
  done
}

# measure NAME SIZE COMMAND...: prints one row of the table.
measure() {
  local name=$1 size=$2
  shift 2
  local server_start pid started elapsed peak prog0 server0 frames0 prog server ticks
  server_start=$(cpu_ms "$xvfb_pid")
  DRIFTGLYPH_TICK_REPORT=1 "$@" 2>"$work/stderr" &
  pid=$!
  sleep "$warmup"
  [ "$name" = floor ] || next_report
  started=$(now_ms)
  prog0=$(cpu_ms "$pid")
  server0=$(cpu_ms "$xvfb_pid")
  frames0=$(frames_so_far)
  sleep "$seconds"
  [ "$name" = floor ] || next_report
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "$name ended early:" >&2
    cat "$work/stderr" >&2
    return 1
  fi
  elapsed=$(( $(now_ms) - started ))
  prog=$(( $(cpu_ms "$pid") - prog0 ))
  server=$(( $(cpu_ms "$xvfb_pid") - server0 ))
  ticks=$(( $(frames_so_far) - frames0 ))
  peak=$(peak_mb "$pid")
  if [ "$name" != hack ] && [ "$name" != floor ]; then
    xdotool click 1  # any click ends the display
  else
    kill "$pid"      # as a screen-saver host ends its hack
  fi
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v n="$name" -v s="$size" -v e="$elapsed" -v p="$peak" -v c="$prog" -v x="$server" -v t="$ticks" \
      -v st="$(( prog0 + server0 - server_start ))" 'BEGIN {
    per_frame = t > 0 ? sprintf("%.3f", (c + x) / t) : "-"
    printf "%-11s %-10s %8s %10.1f %10.1f %10.1f %8d %9s %9d\n", n, s, p, c * 1000 / e, x * 1000 / e, (c + x) * 1000 / e, t, per_frame, st
  }'
}

printf "%-11s %-10s %8s %10s %10s %10s %8s %9s %9s\n" program screen "peak MB" "prog ms/s" "X ms/s" "total ms/s" frames "ms/frame" "start ms"
for size in "${sizes[@]}"; do
  start_xvfb "$size"
  home=$(make_home "$size")
  for row in ${ROWS:-driftglyph hack smooth floor}; do
    case $row in
      driftglyph) measure driftglyph "$size" "$program" --home "$home" /s ;;
      hack) measure hack "$size" "$program" --home "$home" --root ;;
      smooth) measure smooth "$size" "$program" --home "$(make_home "$size" 3 true)" /s ;;
      ticks) measure ticks "$size" "$program" --home "$(make_home "$size" 3 false)" /s ;;
      floor) measure floor "$size" "$floor" ;;
      *) echo "unknown row $row" >&2; exit 2 ;;
    esac
  done
  stop_xvfb
done
