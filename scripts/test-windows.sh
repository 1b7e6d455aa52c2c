#!/usr/bin/env bash
# Builds Driftglyph for Windows (scripts/build-windows.sh) with its unit tests, then checks it
# under Wine on a private Xvfb: every unit test that needs no X server, and a smoke run of
# driftglyph.scr as Windows would start it (/s, /c, /p HANDLE, /a) plus a trace compared
# with the Linux build's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
log() { printf '[test-windows] %s\n' "$*" >&2; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(wine wine64 fonts-wine xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

. scripts/windows/wine-env.sh
export DRIFTGLYPH_WINE=$WINE  # the test runner of the cross build
dist=$(scripts/build-windows.sh all)
build=$root/build-windows
x86_64-w64-mingw32-gcc-posix -municode -O2 -o "$build/preview_host.exe" tests/windows/preview_host.c

trap wine_env_stop EXIT
wine_env_start_xvfb
wine_env_make_prefix "$build/wineprefix"

log "unit tests under Wine"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --timeout 300 -j2 ||
  { for f in "$build"/tests/*/*.txt; do grep -l "^FAIL" "$f" > /dev/null && cat "$f"; done; exit 1; }

failed=0
check() {  # check WHAT CONDITION...
  local what=$1; shift
  if "$@"; then log "ok: $what"; else log "FAILED: $what"; failed=1; fi
}
scr=$dist/driftglyph.scr
home=$build/smoke-home
rm -rf "$home"

log "smoke run: /s shows the picture and the words; a key ends it with status 0"
"$WINE" "$scr" /s --home "$home" & pid=$!
sleep 12
import -window root "$build/smoke-s.png"
xdotool key a
status=0
for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2> /dev/null; then kill "$pid"; status=running; else wait "$pid" || status=$?; fi
size=$(identify -format '%wx%h' "$build/smoke-s.png")
# Below the pattern name, most pixels are the picture's own, tiled from the corner.
same=$(convert "$root/assets/DEFAULT.jpg" -crop "$size+0+0" +repage "$build/smoke-s.png" -crop 1280x700+0+60 \
  +repage -compose difference -composite -threshold 3% -format '%[fx:100*(1-mean)]' info: 2>/dev/null || echo 0)
name=$(convert "$build/smoke-s.png" -crop 200x30+0+0 txt:- | grep -ci 'C0FFFF' || true)
words=$(convert "$build/smoke-s.png" -crop 1280x740+0+60 txt:- | grep -ci '#FFFFFF\|#FFFF80' || true)
check "/s ends on a key with status 0 (was $status)" test "$status" = 0
check "/s shows the picture (${same%.*} % of pixels)" test "${same%.*}" -ge 50
check "/s shows the pattern name ($name pixels) and words ($words pixels)" test "$name" -gt 20 -a "$words" -gt 100
check "/s seeded the home folder from the built-in copies" test -f "$home/DEFAULT.dgl" -a -f "$home/DEFAULT.jpg"

log "smoke run: /c opens the settings"
"$WINE" "$scr" /c --home "$home" & pid=$!
found=""
for _ in $(seq 40); do
  found=$(xdotool search --name 'Driftglyph 設定' 2> /dev/null | head -n 1 || true)
  [ -n "$found" ] && break
  sleep 0.5
done
sleep 2
import -window root "$build/smoke-c.png"
kill "$pid" 2> /dev/null || true
"$WINESERVER" -k || true
check "/c opens the window titled \"Driftglyph 設定\"" test -n "$found"

log "smoke run: /p draws into a host's window"
check "/p HANDLE: a child of the host at its client size, ending with it" \
  "$WINE" "$build/preview_host.exe" "$(winepath -w "$scr")" --home "$(winepath -w "$home")"
set +e
"$WINE" "$scr" /a; check "/a exits 0" test $? = 0
"$WINE" "$scr" /p 12345678 2> /dev/null; check "/p with a handle that is no window exits 2" test $? = 2
set -e

log "smoke run: the installer, silently, and its uninstaller"
system32=$WINEPREFIX/drive_c/windows/system32
set +e
"$WINE" "$dist/driftglyph-setup.exe" /S; "$WINESERVER" -w
check "the installer puts driftglyph.scr into the system folder" test -f "$system32/driftglyph.scr"
check "the installer makes it the screen saver" \
  sh -c "'$WINE' reg query 'HKCU\\Control Panel\\Desktop' /v SCRNSAVE.EXE | grep -qi driftglyph.scr"
"$WINE" 'C:\Program Files\Driftglyph\uninstall.exe' /S; "$WINESERVER" -w; sleep 2
check "the uninstaller removes it" test ! -f "$system32/driftglyph.scr"
set -e

log "smoke run: a trace under Wine runs as on Linux"
mkdir -p "$home/trace"
cp assets/DEFAULT.dgl assets/DEFAULT.jpg "$home/trace/"
"$WINE" "$scr" --trace 2 --size 800x600 --seed 5 --home "$(winepath -w "$home/trace")" \
  > "$build/trace-wine.json" 2> /dev/null || true
if [ -x build/src/driftglyph ]; then linux=build/src/driftglyph; else linux=build-nox/src/driftglyph; fi
QT_QPA_PLATFORM=offscreen "$linux" --trace 2 --size 800x600 --seed 5 --home "$home/trace" \
  > "$build/trace-linux.json" 2> /dev/null || true
# Pattern order, phases and timers; label sizes follow each system's font rendering.
strip_labels() { tr -d '\r' < "$1" | sed 's/,"labels":.*//'; }
check "trace: $(wc -l < "$build/trace-wine.json") ticks, the same as on Linux" \
  cmp -s <(strip_labels "$build/trace-wine.json") <(strip_labels "$build/trace-linux.json")

exit "$failed"
