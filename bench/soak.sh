#!/usr/bin/env bash
# Memory of a long-running display: `driftglyph /s` and the hack (`--root`),
# each at speed 7 with every pattern in order on its own 1920x1080 Xvfb,
# with the resident memory of both printed once a minute.
#
#   bench/soak.sh [MINUTES] [BUILD_DIR]
#
# MINUTES defaults to 60. The last lines give each program's growth over the
# second half of the run, from its first to its last minute and as the
# least-squares trend over every minute, which should stay under 0.5 MB: a
# screen saver runs for whole nights. Beside the resident memory, its anonymous part (the heap
# and other private memory; the rest are pages of libraries and fonts read
# from their files, which grow as new code and glyphs are first used).
set -euo pipefail
. "$(dirname "$0")/x_server.sh"

minutes=${1:-60}
build=${2:-build}
program=$(realpath "$build/src/driftglyph")
[ -x "$program" ] || { echo "missing $program (build first)" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "missing Xvfb" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# start_xvfb NAME: a 1920x1080 server; its display name is left in $display.
start_xvfb() {
  start_x_server 1920x1080 "$work/$1.display"
  pids+=("$x_server_pid")
  display=$x_server_display
}

# make_home NAME: settings showing every pattern in order at speed 7.
make_home() {
  write_ordered_settings "$work/home-$1"
  echo "$work/home-$1"
}

# status_mb PID FIELD: a field of /proc/PID/status in MB, or "gone".
status_mb() { awk -v f="$2:" '$1 == f { printf "%.1f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null || echo gone; }

start_xvfb show
DISPLAY=$display "$program" --home "$(make_home show)" /s 2>"$work/show.log" &
show=$!
pids+=($show)
start_xvfb hack
DISPLAY=$display "$program" --home "$(make_home hack)" --root 2>"$work/hack.log" &
hack=$!
pids+=($hack)

printf "%6s %10s %10s %10s %10s\n" minute "/s MB" "/s anon" "hack MB" "hack anon"
declare -a show_rss hack_rss show_anon hack_anon
for minute in $(seq 0 "$minutes"); do
  [ "$minute" -eq 0 ] && sleep 5 || sleep 60
  show_rss[minute]=$(status_mb "$show" VmRSS)
  show_anon[minute]=$(status_mb "$show" RssAnon)
  hack_rss[minute]=$(status_mb "$hack" VmRSS)
  hack_anon[minute]=$(status_mb "$hack" RssAnon)
  printf "%6d %10s %10s %10s %10s\n" "$minute" "${show_rss[minute]}" "${show_anon[minute]}" "${hack_rss[minute]}" \
    "${hack_anon[minute]}" | tee -a "$work/table"
  if ! kill -0 "$show" 2>/dev/null || ! kill -0 "$hack" 2>/dev/null; then
    echo "a program ended early:" >&2
    cat "$work/show.log" "$work/hack.log" >&2
    exit 1
  fi
done

half=$((minutes / 2))
awk -v a="${show_rss[half]}" -v b="${show_rss[minutes]}" -v c="${hack_rss[half]}" -v d="${hack_rss[minutes]}" \
    -v e="${show_anon[half]}" -v f="${show_anon[minutes]}" -v g="${hack_anon[half]}" -v h="${hack_anon[minutes]}" \
    -v from="$half" -v to="$minutes" 'BEGIN {
  printf "growth from minute %d to %d: /s %+.1f MB (anon %+.1f), hack %+.1f MB (anon %+.1f)\n", from, to, b - a, f - e, d - c, h - g
}'
# One minute's figure depends on what is on the screen then (a large word's
# pictures come and go): the trend of the second half, fitted by least
# squares over every minute, tells growth from that noise.
awk -v from="$half" -v to="$minutes" '$1 >= from {
  n++; x += $1; xx += $1 * $1
  for (i = 2; i <= 5; i++) { y[i] += $i; xy[i] += $1 * $i }
} END {
  d = n * xx - x * x
  for (i = 2; i <= 5; i++) t[i] = d ? (to - from) * (n * xy[i] - x * y[i]) / d : 0
  printf "trend from minute %d to %d: /s %+.2f MB (anon %+.2f), hack %+.2f MB (anon %+.2f)\n", from, to, t[2], t[3], t[4], t[5]
}' "$work/table"
