#!/bin/sh
# Runs the program natively under a headless sway, with no X display and no Qt platform chosen:
# the display shows and ends on a pointer jump or a key, and the idle watcher shows it after each
# idle period. As root, runs as the user driftglyph-test.
# Usage: check_sway.sh PROGRAM  (DEFAULT.dgl and DEFAULT.jpg beside it; IDLE_WATCHER=0 for a build
# without the idle watcher)
set -u
for t in sway swaymsg grim wtype python3 convert identify; do command -v $t >/dev/null || { echo "skip: all rows: no $t"; exit 0; }; done
program=$(readlink -f "$1") work=$(mktemp -d) rt="" failures=0 as=""
out=$work/out  # everything the test user writes
# stop: ends the row's programs, then its compositor.
stop() {
  pids=$(cat "$out"/*.pid "$rt/sway.pid" 2>/dev/null)
  [ -z "$pids" ] || { kill $pids 2>/dev/null; sleep 1; kill -9 $pids 2>/dev/null; wait; }
  rm -f "$out"/*.pid "$out"/*.rc "$rt/sway.pid"
}
trap 'stop; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
cd "$work" && chmod 755 "$work" && mkdir "$out" || exit 1
cp "$program" "${program%/*}/DEFAULT.dgl" "${program%/*}/DEFAULT.jpg" "$work/" || exit 1
if [ "$(id -u)" = 0 ]; then
  id driftglyph-test >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin driftglyph-test || exit 1
  as="runuser -u driftglyph-test --" && chown driftglyph-test "$out"
fi
printf 'output HEADLESS-1 mode 1280x720\nxwayland disable\ndefault_border none\n' >"$work/sway.conf"

# run CMD...: CMD as the test user in the compositor's session, with no X display and no platform chosen
# (the sanitizer build's options pass: Qt's Wayland plugin leaves its proxies to the process's end).
run() {
  $as env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$out" XDG_RUNTIME_DIR="$rt" XDG_SESSION_TYPE=wayland \
    ${wl:+WAYLAND_DISPLAY=$wl} ${ipc:+SWAYSOCK=$ipc} ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} "$@"
}
# start NAME CMD...: CMD in the background; $out/NAME.pid gets its pid, NAME.err its stderr, NAME.rc its status.
start() {
  name=$1; shift
  (run sh -c 'echo $$ >"$0"; exec "$@"' "$out/$name.pid" "$@" 2>"$out/$name.err"; echo $? >"$out/$name.rc") &
  for _ in $(seq 50); do [ -s "$out/$name.pid" ] && break; sleep 0.1; done
}
# ends NAME SECONDS WHAT: what is wrong unless NAME ended with status 0 within SECONDS of WHAT.
ends() {
  for _ in $(seq $(($2 * 10))); do [ -s "$out/$1.rc" ] && break; sleep 0.1; done
  if [ ! -s "$out/$1.rc" ]; then printf ' still running %s s after %s;' "$2" "$3"
  elif [ "$(cat "$out/$1.rc")" != 0 ]; then printf ' %s ended it with status %s;' "$3" "$(cat "$out/$1.rc")"; fi
}
quiet() { [ ! -s "$out/$1.err" ] || printf ' stderr: %s;' "$(sort "$out/$1.err" | uniq -c | head -n 2 | tr -s ' \n' ' ')"; }
# start_sway N: a fresh compositor with its own runtime folder; false when it does not come up.
start_sway() {
  rt=$work/rt$1 wl="" ipc=""
  mkdir -m 700 "$rt" && { [ -z "$as" ] || chown driftglyph-test "$rt"; }
  (run WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sh -c 'echo $$ >"$0"; exec sway -c "$1"' \
    "$rt/sway.pid" "$work/sway.conf" >"$work/sway$1.log" 2>&1) &
  for _ in $(seq 50); do
    wl=$(cd "$rt" && ls wayland-? 2>/dev/null) ipc=$(ls "$rt"/sway-ipc.*.sock 2>/dev/null)
    [ -n "$wl" ] && [ -n "$ipc" ] && run swaymsg -t get_version >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
showing() { run swaymsg -t get_tree | grep -q '"app_id": "driftglyph"'; }
# focused SECONDS: whether one of the program's windows gets the keyboard focus within SECONDS.
focused() {
  for _ in $(seq $(($1 * 10))); do
    run swaymsg -t get_tree | python3 -c 'import json, sys
def has(n):
    kids = n.get("nodes", []) + n.get("floating_nodes", [])
    return n.get("app_id") == "driftglyph" and n.get("focused") or any(map(has, kids))
sys.exit(not has(json.load(sys.stdin)))' && return 0
    sleep 0.1
  done
  return 1
}
# wait_shown SECONDS: how long until the display shows (at most SECONDS), or nothing.
wait_shown() { t0=$(date +%s); while [ $(($(date +%s) - t0)) -le "$1" ]; do showing && { echo $(($(date +%s) - t0)); return; }; sleep 0.5; done; }
# picture_problems FILE: a screenshot into FILE, and what the display lacks in it. The display
# never paints pure black: black there is a part it lost.
picture_problems() {
  run grim "$1" || { printf ' grim failed;'; return; }
  [ "$(identify -format %k "$1")" -ge 200 ] || printf ' only %s colours;' "$(identify -format %k "$1")"
  black=$(convert "$1" -fill white +opaque black -format '%[fx:round(100*(1-mean))]' info:)
  [ "$black" -le 2 ] || printf ' %s%% of the screen is pure black;' "$black"
  convert "$1" -crop 400x40+0+0 txt:- | grep -qE 'srgb\((1[89][0-9]|20[0-9]),2[45][0-9],2[45][0-9]\)' ||
    printf ' no pale cyan pattern name at the top-left;'
}
# settled_picture FILE SECONDS: what the display still lacks after at most SECONDS; screenshots
# (into FILE) are taken until it lacks nothing.
settled_picture() {
  t0=$(date +%s)
  while :; do
    lacks=$(picture_problems "$1")
    if [ -z "$lacks" ] || [ $(($(date +%s) - t0)) -ge "$2" ]; then printf '%s' "$lacks"; return; fi
    sleep 0.2
  done
}
# colours FILE: how many colours a screenshot holds (0 without one).
colours() { [ -s "$1" ] && identify -format %k "$1" || echo 0; }
# pointer STEPS...: a virtual pointer (sway's seat has none) that moves to X,Y or waits SECONDS.
pointer() { run timeout 5 python3 "$work/pointer.py" "$@"; }
cat >"$work/pointer.py" <<'EOF'
import os, socket, struct, sys, time
(s := socket.socket(socket.AF_UNIX)).connect(os.environ["XDG_RUNTIME_DIR"] + "/" + os.environ["WAYLAND_DISPLAY"])
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
    if "," in step:  # motion_absolute on the 1280x720 output, then frame
        send(5, 1, int(time.monotonic() * 1000) & 0xFFFFFFFF, *map(int, step.split(",")), 1280, 720); send(5, 4)
    else: time.sleep(float(step))
EOF
row() { case $2 in '') echo "ok $1" ;; skip*) echo "skip $1: ${2#skip }" ;; *) echo "FAIL $1:$2"; failures=$((failures + 1)) ;; esac; }

# 1. The display shows the picture and words; a first move 30 px from where the pointer entered
# ends it; nothing on stderr (no grabs tried).
start_sway 1 || { echo "skip: all rows: sway did not start: $(tail -n 3 "$work/sway1.log" | tr '\n' ' ')"; exit 0; }
run mkdir "$out/home1"
pointer 100,100 0.3  # the pointer rests where it will enter
start show1 "$work/driftglyph" --home "$out/home1" /s
why=$(settled_picture "$out/show1.png" 10)
pointer 0.5 100,100 0.7 130,100 0.2
row 1 "${why}$(ends show1 3 "a 30 px pointer jump")$(quiet show1)"
stop

# 2. A second output gets a cover of the picture (which asks for no focus: nothing on stderr); a key
# ends the display.
start_sway 2
run swaymsg create_output >/dev/null
run mkdir "$out/home2"
start show2 "$work/driftglyph" --home "$out/home2" /s
t0=$(date +%s)
until { rm -f "$out/cover.png"; run grim -o HEADLESS-2 "$out/cover.png"; [ "$(colours "$out/cover.png")" -ge 200 ]; } ||
  [ $(($(date +%s) - t0)) -ge 10 ]; do sleep 0.2; done
[ "$(colours "$out/cover.png")" -ge 200 ] && why="" || why=" the second output shows no picture;"
focused 10 || why="$why the display has no focus;"
run timeout 5 wtype -s 300 a
row 2 "${why}$(ends show2 4 "a key")$(quiet show2)"
stop

# 3. The idle watcher shows the display after six idle seconds, again after a key ends it, and ends
# (with its display) on SIGTERM.
if [ "${IDLE_WATCHER:-1}" = 0 ]; then
  row 3 "skip this build has no idle watcher"
else
  start_sway 3
  run mkdir "$out/home3"
  start watch "$work/driftglyph" --home "$out/home3" --idle 0.1
  first=$(wait_shown 12)
  [ "${first:-0}" -ge 4 ] && why="" || why=" no display 4 to 12 s after the start (${first:-none});"
  why="$why$(settled_picture "$out/idle.png" 10)"
  focused 10 || why="$why the display has no focus;"
  run timeout 5 wtype -s 300 a
  for _ in $(seq 10); do showing || break; sleep 0.5; done
  second=$(wait_shown 12)
  [ "${second:-0}" -ge 3 ] || why="$why no display again 3 to 12 s after a key (${second:-none});"
  kill "$(cat "$out/watch.pid")"
  why="$why$(ends watch 5 SIGTERM)"
  for _ in $(seq 50); do showing || break; sleep 0.1; done
  ! showing || why="$why the display outlived the watcher by 5 s;"
  row 3 "$why"
  echo "  (shown ${first:-never} s after the start and ${second:-never} s after the key)"
  stop
fi
[ "$failures" -eq 0 ]
