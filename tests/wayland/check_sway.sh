#!/bin/sh
# Runs the program natively under a headless sway, with no X display and no Qt
# platform chosen: the display shows and ends on a key or a pointer jump, and the
# idle watcher shows it after each idle period. As root, runs as driftglyph-test.
# Usage: check_sway.sh PROGRAM   (DEFAULT.dgl and DEFAULT.jpg beside it; IDLE_WATCHER=0 for a
# build without the idle watcher)
set -u
for tool in sway swaymsg grim wtype python3 convert identify; do
  command -v $tool >/dev/null || { echo "skip: all rows: $tool is not installed"; exit 0; }
done
program=$(readlink -f "$1")
work=$(mktemp -d)
out=$work/out  # everything the test user writes
rt=""
failures=0
# stop: ends the row's programs, then its compositor.
stop() {
  pids=$(cat "$out"/*.pid "$rt/sway.pid" 2>/dev/null)
  [ -n "$pids" ] || return 0
  kill $pids 2>/dev/null; sleep 1; kill -9 $pids 2>/dev/null
  wait
  rm -f "$out"/*.pid "$out"/*.rc "$rt/sway.pid"
}
trap 'stop; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
cd "$work" || exit 1
chmod 755 "$work"
mkdir "$out"
cp "$program" "${program%/*}/DEFAULT.dgl" "${program%/*}/DEFAULT.jpg" "$work/" || exit 1
as=""
if [ "$(id -u)" = 0 ]; then
  id driftglyph-test >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin driftglyph-test || exit 1
  as="runuser -u driftglyph-test --" && chown driftglyph-test "$out"
fi
printf 'output HEADLESS-1 mode 1280x720\nxwayland disable\ndefault_border none\n' >"$work/sway.conf"

# run CMD...: CMD as the test user in the compositor's session, with no X display and no platform chosen.
run() {
  $as env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$out" XDG_RUNTIME_DIR="$rt" XDG_SESSION_TYPE=wayland \
    ${wl:+WAYLAND_DISPLAY=$wl} ${ipc:+SWAYSOCK=$ipc} "$@"
}
# start NAME CMD...: starts CMD in the background; $out/NAME.pid gets its pid, NAME.err its stderr, NAME.rc its status.
start() {
  name=$1; shift
  (run sh -c 'echo $$ >"$0"; exec "$@"' "$out/$name.pid" "$@" 2>"$out/$name.err"; echo $? >"$out/$name.rc") &
  for _ in $(seq 50); do [ -s "$out/$name.pid" ] && break; sleep 0.1; done
}
# ended NAME SECONDS: whether NAME ended within SECONDS.
ended() { for _ in $(seq $(($2 * 10))); do [ -s "$out/$1.rc" ] && return 0; sleep 0.1; done; return 1; }
# start_sway N: a fresh compositor with its own runtime folder; false when it does not come up.
start_sway() {
  rt=$work/rt$1 wl="" ipc=""
  mkdir -m 700 "$rt"
  [ -z "$as" ] || chown driftglyph-test "$rt"
  (run WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sh -c 'echo $$ >"$0"; exec sway -c "$1"' "$rt/sway.pid" "$work/sway.conf" >"$work/sway$1.log" 2>&1) &
  for _ in $(seq 50); do
    wl=$(cd "$rt" && ls wayland-? 2>/dev/null) ipc=$(ls "$rt"/sway-ipc.*.sock 2>/dev/null)
    [ -n "$wl" ] && [ -n "$ipc" ] && run swaymsg -t get_version >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# picture_problems FILE: takes a screenshot into FILE and says what the display lacks in it. The
# display never paints pure black: black there is a part it lost.
picture_problems() {
  run grim "$1" || { printf ' grim failed;'; return; }
  colours=$(identify -format %k "$1")
  black=$(convert "$1" -fill white +opaque black -format '%[fx:round(100*(1-mean))]' info:)
  cyan=$(convert "$1" -crop 400x40+0+0 txt:- | grep -cE 'srgb\((1[89][0-9]|20[0-9]),2[45][0-9],2[45][0-9]\)')
  [ "$colours" -ge 200 ] || printf ' only %s colours;' "$colours"
  [ "$black" -le 2 ] || printf ' %s%% of the screen is pure black;' "$black"
  [ "$cyan" -ge 50 ] || printf ' no pale cyan pattern name at the top-left;'
}
# pointer STEPS...: a virtual pointer that, step by step, moves to X,Y on the 1280x720 output or waits SECONDS.
cat >"$work/pointer.py" <<'EOF'
import os, socket, struct, sys, time
s = socket.socket(socket.AF_UNIX)
s.connect(os.environ["XDG_RUNTIME_DIR"] + "/" + os.environ["WAYLAND_DISPLAY"])
def send(obj, op, *args):  # a request: each argument a uint or a string
    body = b"".join(struct.pack("=I", a) if isinstance(a, int) else
                    struct.pack("=I", len(a) + 1) + a.encode() + b"\0" * (4 - len(a) % 4) for a in args)
    s.sendall(struct.pack("=II", obj, (8 + len(body)) << 16 | op) + body)
send(1, 1, 2); send(1, 0, 3)  # wl_display.get_registry as 2, then sync as 3
buf, names, synced = b"", {}, False
while not synced:
    buf += s.recv(4096)
    while len(buf) >= 8 and len(buf) >= struct.unpack("=II", buf[:8])[1] >> 16:
        obj, head = struct.unpack("=II", buf[:8])
        msg, buf = buf[8:head >> 16], buf[head >> 16:]
        if obj == 2 and head & 0xFFFF == 0:  # wl_registry.global: name, interface, version
            names[msg[8:7 + struct.unpack("=I", msg[4:8])[0]].decode()] = struct.unpack("=I", msg[:4])[0]
        synced |= obj == 3
manager = "zwlr_virtual_pointer_manager_v1"
send(2, 0, names[manager], manager, 1, 4); send(4, 0, 0, 5)  # bind as 4; pointer 5 on the default seat
for step in sys.argv[1:]:
    if "," in step:  # motion_absolute, then frame
        send(5, 1, int(time.monotonic() * 1000) & 0xFFFFFFFF, *map(int, step.split(",")), 1280, 720); send(5, 4)
    else:
        time.sleep(float(step))
EOF
showing() { run swaymsg -t get_tree | grep -q '"app_id": "driftglyph"'; }
row() { case $2 in ok*) echo "ok $1: ${2#ok }" ;; skip*) echo "skip $1: ${2#skip }" ;; *) echo "FAIL $1: ${2# }"; failures=$((failures + 1)) ;; esac; }

# 1. The display shows the picture; a first move 30 px from where the pointer entered ends it; it
# says nothing on stderr (no grabs tried).
start_sway 1 || { echo "skip: all rows: sway did not start: $(tail -n 3 "$work/sway1.log" | tr '\n' ' ')"; exit 0; }
run mkdir "$out/home1"
run timeout 5 python3 "$work/pointer.py" 100,100 0.3  # the pointer rests where it will enter
start show1 "$work/driftglyph" --home "$out/home1" /s
sleep 2.5
why=$(picture_problems "$out/show1.png")
run timeout 5 python3 "$work/pointer.py" 0.5 100,100 0.7 130,100 0.2
if ! ended show1 3; then why="$why still running 3 s after the pointer jumped 30 px;"
elif [ "$(cat "$out/show1.rc")" != 0 ]; then why="$why the jump ended it with status $(cat "$out/show1.rc");"; fi
[ ! -s "$out/show1.err" ] || why="$why stderr: $(sort "$out/show1.err" | uniq -c | head -n 2 | tr -s ' \n' ' ');"
row 1 "${why:-ok picture, words and pattern name shown; a 30 px pointer jump ended it with status 0}"
stop

# 2. A second output gets a cover of the picture (which asks for no focus: nothing on stderr), a small
# pointer move leaves the display and a key ends it.
start_sway 2
run swaymsg create_output >/dev/null
run mkdir "$out/home2"
run timeout 5 python3 "$work/pointer.py" 100,100 0.3
start show2 "$work/driftglyph" --home "$out/home2" /s
sleep 2
run grim -o HEADLESS-2 "$out/cover.png"
why=""
[ "$(identify -format %k "$out/cover.png")" -ge 200 ] || why=" the second output shows no picture;"
# Across two outputs the pointer's positions are stretched twice: 4 px here are 8 on the screen.
run timeout 5 python3 "$work/pointer.py" 0.5 100,100 0.5 104,100 0.5
! ended show2 1 || why="$why ended on an 8 px pointer move (status $(cat "$out/show2.rc"));"
run timeout 5 wtype -s 300 a
if ! ended show2 4; then why="$why still running 4 s after a key;"
elif [ "$(cat "$out/show2.rc")" != 0 ]; then why="$why a key ended it with status $(cat "$out/show2.rc");"; fi
[ ! -s "$out/show2.err" ] || why="$why stderr: $(sort "$out/show2.err" | uniq -c | head -n 2 | tr -s ' \n' ' ');"
row 2 "${why:-ok the second output covered; an 8 px pointer move left the display; a key ended it with status 0}"
stop

# 3. The idle watcher shows the display after six idle seconds, again after a key ends it, and ends on SIGTERM.
# wait_shown SECONDS: how long until the display shows (at most SECONDS), or nothing.
wait_shown() { t0=$(date +%s); while [ $(($(date +%s) - t0)) -le "$1" ]; do showing && { echo $(($(date +%s) - t0)); return; }; sleep 0.5; done; }
if [ "${IDLE_WATCHER:-1}" = 0 ]; then
  row 3 "skip this build has no idle watcher"
else
  start_sway 3
  run mkdir "$out/home3"
  start watch "$work/driftglyph" --home "$out/home3" --idle 0.1
  first=$(wait_shown 12)
  why="" second=""
  if [ -z "$first" ]; then why="no display within 12 s of idleness;"
  else
    [ "$first" -ge 4 ] || why="display after $first s, not six;"
    sleep 2.5
    why="$why$(picture_problems "$out/idle.png")"
    run timeout 5 wtype -s 300 a
    for _ in $(seq 10); do showing || break; sleep 0.5; done
    if showing; then why="$why a key did not end the display;"
    else
      second=$(wait_shown 12)
      [ -n "$second" ] || why="$why no display again within 12 s after a key;"
      [ -z "$second" ] || [ "$second" -ge 3 ] || why="$why display again $second s after a key;"
    fi
  fi
  if [ -s "$out/watch.rc" ]; then why="$why the watcher ended with status $(cat "$out/watch.rc");"
  else
    kill "$(cat "$out/watch.pid")"
    if ! ended watch 5; then why="$why the watcher outlived SIGTERM by 5 s;"
    elif [ "$(cat "$out/watch.rc")" != 0 ]; then why="$why SIGTERM ended the watcher with status $(cat "$out/watch.rc");"
    else
      for _ in 1 2 3 4; do showing || break; sleep 0.5; done
      ! showing || why="$why the display outlived the watcher;"
    fi
  fi
  row 3 "${why:-ok shown after ${first} s idle and again ${second} s after a key; SIGTERM ended the watcher with status 0}"
  stop
fi
[ "$failures" -eq 0 ]
