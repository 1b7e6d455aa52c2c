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
packages=(wine wine64 fonts-wine xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho python3 zstd)
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
# driftglyph.scr carries Qt, the C++ runtime and the Anki readers' libraries inside: it imports
# only DLLs that come with Windows.
system_dlls='^(advapi32|authz|comdlg32|d3d11|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|api-ms-win-[a-z0-9-]+)\.dll$'
others=$(x86_64-w64-mingw32-objdump -p "$dist/driftglyph.scr" | sed -n 's/^\s*DLL Name: //p' |
  tr 'A-Z' 'a-z' | grep -Ev "$system_dlls" || true)
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
check "driftglyph.scr imports only system DLLs${others:+ (not: $others)}" test -z "$others"
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
log "smoke run: /c:HANDLE belongs to the settings window, centred over it and inside the screen"
for owner in "440 250 at the centre" "1180 250 at the right edge" "-300 600 past the bottom-left corner"; do
  read -r x y where <<< "$owner"
  check "/c:HANDLE with its owner $where" \
    "$WINE" "$build/preview_host.exe" "$(winepath -w "$scr")" --owner "$x" "$y" --home "$(winepath -w "$home")"
done
set +e
"$WINE" "$scr" /a; check "/a exits 0" test $? = 0
"$WINE" "$scr" /p 12345678 2> /dev/null; check "/p with a handle that is no window exits 2" test $? = 2
set -e

# make_package FILE: a version 3 Anki package (deflated zip, zstd collection of schema 18, and the
# small collection.anki2 asking to update) of two notes.
make_package() {
  python3 - "$1" <<'PY'
import io, os, sqlite3, subprocess, sys, tempfile, zipfile
def collection(schema, notes):
    path = tempfile.mktemp()
    db = sqlite3.connect(path)
    db.create_collation("unicase", lambda a, b: (a.lower() > b.lower()) - (a.lower() < b.lower()))
    db.executescript("""
      CREATE TABLE col (id integer PRIMARY KEY, crt, mod, scm, ver, dty, usn, ls, conf, models, decks, dconf, tags);
      CREATE TABLE notes (id integer PRIMARY KEY, guid, mid, mod, usn, tags, flds, sfld, csum, flags, data);
      CREATE TABLE cards (id integer PRIMARY KEY, nid, did, ord, mod, usn, type, queue, due, ivl, factor, reps,
        lapses, left, odue, odid, flags, data);
      CREATE TABLE notetypes (id integer PRIMARY KEY, name text COLLATE unicase, mtime_secs, usn, config);
      CREATE TABLE fields (ntid, ord, name text COLLATE unicase, config, PRIMARY KEY (ntid, ord)) WITHOUT ROWID;
      CREATE TABLE decks (id integer PRIMARY KEY, name text COLLATE unicase, mtime_secs, usn, common, kind);""")
    models = '{"1":{"name":"Basic","flds":[{"name":"Front","ord":0},{"name":"Back","ord":1}]}}'
    json = schema < 15
    db.execute("INSERT INTO col VALUES (1, 1600000000, 0, 0, ?, 0, 0, 0, '{}', ?, ?, '{}', '{}')",
               (schema, models if json else "", '{"1":{"name":"Default"}}' if json else ""))
    db.execute("INSERT INTO notetypes VALUES (1, 'Basic', 0, 0, x'')")
    db.executemany("INSERT INTO fields VALUES (1, ?, ?, x'')", [(0, "Front"), (1, "Back")])
    db.execute("INSERT INTO decks VALUES (1, 'Default', 0, 0, x'', x'')")
    for i, (front, back) in enumerate(notes, 1):
        db.execute("INSERT INTO notes VALUES (?, 'g', 1, 0, 0, '', ?, 0, 0, 0, '')", (i, front + "\x1f" + back))
        db.execute("INSERT INTO cards VALUES (?, ?, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '')", (i, i))
    db.commit(); db.close()
    data = open(path, "rb").read(); os.remove(path)
    return data
full = collection(18, [("apple", "りんご"), ("river", "川")])
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("collection.anki2", collection(11, [("Please update to the latest version", "update")]))
    z.writestr("collection.anki21b", subprocess.run(["zstd", "-q", "-c"], input=full, check=True,
                                                    stdout=subprocess.PIPE).stdout)
    z.writestr("meta", b"\x08\x03")
    z.writestr("media", b"{}")
PY
}

log "smoke run: --import reads an Anki package (libzip, zstd and SQLite linked in)"
make_package "$build/smoke-deck.apkg"
rm -f "$build/smoke-deck.dgl"
(cd "$build" && "$WINE" "$scr" --import smoke-deck.apkg --output smoke-deck.dgl) > "$build/smoke-import.txt" 2>&1 || true
check "--import of a package: $(tr -d '\r' < "$build/smoke-import.txt")" \
  grep -q "^2 pairs written to smoke-deck.dgl" "$build/smoke-import.txt"
# The list is written in Shift_JIS, as Windows programs of the format read it.
check "--import wrote the package's pairs" \
  cmp -s <(iconv -f CP932 -t UTF-8 "$build/smoke-deck.dgl" | tr -d '\r' | tail -n +2) \
  <(printf '"apple","りんご"\n"river","川"\n')

log "smoke run: the command-line modes print where they were started from"
x86_64-w64-mingw32-gcc-posix -municode -O2 -o "$build/console_host.exe" tests/windows/console_host.c
version=$("$WINE" "$scr" --version 2> /dev/null | tr -d '\r' || true)
check "--version through a pipe: $version" test "$version" = "driftglyph $(sed -n 's/^project(driftglyph VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
mkdir -p "$build/単語帳"
cp "$build/smoke-deck.apkg" "$build/単語帳/deck.apkg"
set +e
"$WINE" "$build/console_host.exe" "$(winepath -w "$build/console-version.txt")" "$(winepath -w "$scr")" --version
"$WINE" "$build/console_host.exe" "$(winepath -w "$build/console-import.txt")" "$(winepath -w "$scr")" \
  --import "$(winepath -w "$build/単語帳/deck.apkg")" --output "$(winepath -w "$build/単語帳/deck.dgl")"
set -e
check "--version in a console: $(head -n 1 "$build/console-version.txt" 2> /dev/null)" \
  grep -q "^driftglyph [0-9]" "$build/console-version.txt"
check "--import in a console names its Japanese path: $(head -n 1 "$build/console-import.txt" 2> /dev/null)" \
  grep -q '^2 pairs written to .*\\単語帳\\deck.dgl' "$build/console-import.txt"

log "smoke run: the installer, silently, for this user and for all users, and its uninstaller"
system32=$WINEPREFIX/drive_c/windows/system32
own=$(winepath -u "$("$WINE" cmd /c echo %LOCALAPPDATA% 2> /dev/null | tr -d '\r')")/Programs/Driftglyph
saver() { "$WINE" reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE 2> /dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
uninstall_entry() { "$WINE" reg query "$1\Software\Microsoft\Windows\CurrentVersion\Uninstall\Driftglyph" > /dev/null 2>&1; }
set +e
"$WINE" "$dist/driftglyph-setup.exe" /S; "$WINESERVER" -w
check "for this user: driftglyph.scr in its own programs folder, not the system's" \
  test -f "$own/driftglyph.scr" -a ! -f "$system32/driftglyph.scr"
check "for this user: the screen saver is that file ($(saver))" test "$(saver | tr 'A-Z' 'a-z')" = \
  "$(printf '%s' "$(winepath -w "$own/driftglyph.scr")" | tr 'A-Z' 'a-z')"
check "for this user: the uninstall entry is the user's" uninstall_entry HKCU
# A running display holds its file: the uninstaller may not say it removed it.
"$WINE" "$(winepath -w "$own/driftglyph.scr")" /s --home "$(winepath -w "$home")" & running=$!
sleep 8
# The uninstaller starts a copy of itself and returns at once: the copy is given time.
"$WINE" "$(winepath -w "$own/uninstall.exe")" /S; sleep 8
later=$("$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v DriftglyphRemove 2> /dev/null | tr -d '\r')
check "uninstall beside a running display: the file is gone or removed at the next sign-in" \
  sh -c "test ! -f '$own/driftglyph.scr' || echo '$later' | grep -qi 'del .*driftglyph.scr'"
check "uninstall beside a running display: the screen saver chosen before is back" test -z "$(saver)"
kill "$running" 2> /dev/null; "$WINESERVER" -k; sleep 1
"$WINE" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v DriftglyphRemove /f > /dev/null 2>&1
rm -f "$own/driftglyph.scr"
"$WINE" "$dist/driftglyph-setup.exe" /S /AllUsers; "$WINESERVER" -w
check "for all users: driftglyph.scr in the system folder" test -f "$system32/driftglyph.scr"
check "for all users: the screen saver is chosen for this user ($(saver))" sh -c "'$WINE' reg query 'HKCU\\Control Panel\\Desktop' /v SCRNSAVE.EXE | grep -qi 'system32.driftglyph.scr'"
check "for all users: the uninstall entry is the machine's" uninstall_entry HKLM
"$WINE" 'C:\Program Files\Driftglyph\uninstall.exe' /S; "$WINESERVER" -w; sleep 2
check "the uninstaller removes it" test ! -f "$system32/driftglyph.scr"
check "the uninstaller gives back the screen saver chosen before" test -z "$(saver)"
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
