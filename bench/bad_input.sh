#!/usr/bin/env bash
# How `driftglyph /s` copes with files and home folders it cannot use: for
# each case, how long until its window covers the screen, its peak memory,
# and whether a key then ends it with status 0. Runs as the user `nobody`
# (so that a read-only folder is read-only) on a 1920x1080 Xvfb, in home
# folders of its own under /tmp.
#
#   bench/bad_input.sh [BUILD_DIR]
#
# The program must be readable by nobody.
set -euo pipefail
. "$(dirname "$0")/x_server.sh"

build=${1:-build}
program=$(realpath "$build/src/driftglyph")
assets=$(realpath "$(dirname "$0")/../assets")
for tool in Xvfb xdotool runuser; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d /tmp/driftglyph-bad-input.XXXXXX)
chmod 755 "$work"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_x_server 1920x1080 "$work/display" -ac
xvfb_pid=$x_server_pid
export DISPLAY=$x_server_display
mkdir -m 700 "$work/runtime" && chown nobody "$work/runtime"

# home NAME: a home folder with copies of the default list and picture.
home() {
  mkdir -p "$work/$1"
  cp "$assets/DEFAULT.dgl" "$assets/DEFAULT.jpg" "$work/$1/"
  echo "$work/$1"
}
lines_1g() {
  { printf '40000000,"IPAPGothic","IPAPGothic"\r\n'; yes 'apple,りんご' | head -c 1073741824 || true; } >"$1"
}

now_ms() { date +%s%3N; }

# run CASE HOME: one row of the table.
run() {
  local name=$1 dir=$2 started pid shown="-" peak status err
  # The cases are nobody's own: only the read-only home is read-only.
  chown -R nobody "$work"
  chmod 700 "$work/runtime"
  started=$(now_ms)
  runuser -u nobody -- env DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$work/runtime" "$program" --home "$dir" /s \
    2>"$work/stderr" &
  pid=$!
  for _ in $(seq 200); do
    if xdotool search --onlyvisible --class driftglyph >/dev/null 2>&1; then
      shown=$(( $(now_ms) - started ))
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.02
  done
  sleep 2
  local child
  child=$(pgrep -P "$pid" -f driftglyph || echo "$pid")
  peak=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$child/status" 2>/dev/null || echo "-")
  xdotool key a
  status=0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    status=killed
    pkill -9 -P "$pid" 2>/dev/null || true  # the program under runuser
    kill -9 "$pid" 2>/dev/null || true
    { wait "$pid"; } 2>/dev/null || true
  else
    { wait "$pid"; } 2>/dev/null || status=$?
  fi
  err=$(head -n1 "$work/stderr" | cut -c1-90)
  printf "%-34s %8s %8s %7s  %s\n" "$name" "$shown" "$peak" "$status" "$err"
}

printf "%-34s %8s %8s %7s  %s\n" case "ms" "peak MB" status "stderr"

h=$(home zero-settings); ln -s /dev/zero "$h/DrifStt"; run "DrifStt -> /dev/zero" "$h"
h=$(home fifo-settings); mkfifo "$h/DrifStt"; run "DrifStt a FIFO" "$h"
h=$(home folder-settings); mkdir "$h/DrifStt"; run "DrifStt a folder" "$h"
h=$(home big-settings); truncate -s 1G "$h/DrifStt"; run "DrifStt 1 GB (sparse)" "$h"
h=$(home big-list); lines_1g "$h/DEFAULT.dgl"; run "word list 1 GB of lines" "$h"
rm -f "$h/DEFAULT.dgl"
h=$(home sparse-list); rm "$h/DEFAULT.dgl"; truncate -s 1G "$h/DEFAULT.dgl"; run "word list 1 GB of NULs (sparse)" "$h"
h=$(home fifo-list); rm "$h/DEFAULT.dgl"; mkfifo "$h/DEFAULT.dgl"; run "word list a FIFO" "$h"
h=$(home zero-list); rm "$h/DEFAULT.dgl"; ln -s /dev/zero "$h/DEFAULT.dgl"; run "word list -> /dev/zero" "$h"
h=$(home folder-list); rm "$h/DEFAULT.dgl"; mkdir "$h/DEFAULT.dgl"; run "word list a folder" "$h"
h=$(home zero-picture); rm "$h/DEFAULT.jpg"; ln -s /dev/zero "$h/DEFAULT.jpg"; run "picture -> /dev/zero" "$h"
h=$(home fifo-picture); rm "$h/DEFAULT.jpg"; mkfifo "$h/DEFAULT.jpg"; run "picture a FIFO" "$h"
h=$(home big-picture); rm "$h/DEFAULT.jpg"; truncate -s 1G "$h/DEFAULT.jpg"; run "picture 1 GB (sparse)" "$h"
h=$(home folder-picture); rm "$h/DEFAULT.jpg"; mkdir "$h/DEFAULT.jpg"; run "picture a folder" "$h"
h=$(home read-only); chmod 555 "$h"; run "home read-only" "$h"
run "home missing (it is made)" "$work/no/such/folder"
run "home missing, cannot be made" "$work/read-only/no/such/folder"
touch "$work/plain-file"; run "home a plain file" "$work/plain-file"
