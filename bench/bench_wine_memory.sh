#!/usr/bin/env bash
# Peak memory of the Windows display under Wine beside a bare full-screen Qt
# window built the same way (the floor), and where the difference lies.
#
#   bench/bench_wine_memory.sh [BUILD_DIR] [SECONDS] [SCREEN]
#
# BUILD_DIR is scripts/build-windows.sh's build-windows/ (driftglyph.scr or .exe and
# floor_window.exe); SCREEN defaults to 1600x900. Each program runs SECONDS
# (default 10) in its own fresh prefix on a private Xvfb. Printed: VmHWM and
# VmRSS of each program's process, the resident memory of Wine's own files
# (its DLLs and loader) and of the rest, and the mappings whose resident
# memory differs most between the two. The display runs at speed 3 with
# smooth motion and shows the default list's words and the patterns in
# order, so that two runs draw the same words: with random words, runs of one
# build differ by up to 5 MB. DISPLAY_ARGS replace that home (e.g.
# "--home Z:\\tmp\\home" for other settings).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build-windows}")
seconds=${2:-10}
export WINE_ENV_SCREEN="${3:-1600x900}x24"
. "$root/scripts/windows/wine-env.sh"
. "$root/bench/x_server.sh"

display=$(find "$build" -maxdepth 3 \( -name driftglyph.exe -o -name driftglyph.scr \) | head -n1)
floor=$(find "$build" -maxdepth 3 -name floor_window.exe | head -n1)
for exe in "$display" "$floor"; do
  [ -n "$exe" ] && [ -f "$exe" ] || { echo "missing driftglyph.exe or floor_window.exe in $build" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start_xvfb

# Resident kB by mapped file ([anon] and the like grouped as they are named).
mappings() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6 ? $6 : "[anon]") } /^Rss:/ { rss[name] += $2 }
       END { for (n in rss) if (rss[n] > 0) print rss[n], n }' "/proc/$1/smaps" | sort -k2
}

# measure NAME EXE ARGS...: runs EXE in a fresh prefix, prints a row, keeps its mappings.
measure() {
  local name=$1 exe=$2
  shift 2
  wine_env_make_prefix "$work/prefix-$name" >/dev/null
  cp "$exe" "$work/$name.exe"
  (cd "$work" && "$WINE" "$work/$name.exe" "$@" >/dev/null 2>&1) &
  local runner=$!
  sleep "$seconds"
  local pid
  pid=$(pgrep -f "$name.exe" | head -n1 || true)
  [ -n "$pid" ] || { echo "$name did not stay running" >&2; exit 1; }
  mappings "$pid" >"$work/$name.maps"
  awk -v n="$name" '/^VmHWM:/ { h = $2 } /^VmRSS:/ { r = $2 }
       END { printf "%-10s %9.1f %9.1f", n, h / 1024, r / 1024 }' "/proc/$pid/status"
  awk '{ if ($2 ~ /\/wine\// || $2 ~ /wine-preloader|wine64/) w += $1; else o += $1 }
       END { printf " %9.1f %9.1f\n", w / 1024, o / 1024 }' "$work/$name.maps"
  "$WINESERVER" -k 2>/dev/null || true
  wait "$runner" 2>/dev/null || true
}

printf "%-10s %9s %9s %9s %9s\n" program "peak MB" "RSS MB" "Wine MB" "other MB"
measure floor "$floor"
if [ -n "${DISPLAY_ARGS:-}" ]; then
  read -ra display_args <<<"$DISPLAY_ARGS"
else
  write_ordered_settings "$work/home" 3
  display_args=(--home "Z:${work//\//\\}\\home")
fi
measure display "$display" /s "${display_args[@]}"
echo
echo "largest differences in resident kB (display - floor, by mapping):"
join -1 2 -2 2 -a 1 -a 2 -e 0 -o 0,1.1,2.1 "$work/display.maps" "$work/floor.maps" |
  awk '{ d = $2 - $3; if (d < 0) d = -d; print d, $2 - $3, $1 }' | sort -rn | head -n 12 |
  awk '{ printf "%8d  %s\n", $2, $3 }'
