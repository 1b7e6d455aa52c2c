#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop needs:
# the program and its data, the menu entry and icon, the XScreenSaver hack
# link and settings file, and the software-centre metadata.
# Usage: check_install.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
skipped=""

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; exit 1; }

for f in bin/driftglyph share/driftglyph/DEFAULT.dgl share/driftglyph/DEFAULT.jpg \
         share/applications/driftglyph.desktop share/icons/hicolor/scalable/apps/driftglyph.svg \
         share/xscreensaver/config/driftglyph.xml share/metainfo/io.github.driftglyph.driftglyph.metainfo.xml; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done

# The hack is a relative link, so the tree can move.
hack=$prefix/libexec/xscreensaver/driftglyph
[ -L "$hack" ] || fail "no link $hack"
case $(readlink "$hack") in /*) fail "hack link is absolute: $(readlink "$hack")" ;; esac
[ "$(readlink -f "$hack")" = "$(readlink -f "$prefix/bin/driftglyph")" ] || fail "hack link does not reach bin/driftglyph"
"$hack" --version | grep -q '^driftglyph ' || fail "the hack link does not run the program"

# The same install under DESTDIR keeps the link inside the staging tree.
DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null 2>&1 || fail "install with DESTDIR"
[ "$(readlink -f "$work/stage/usr/libexec/xscreensaver/driftglyph")" = "$work/stage/usr/bin/driftglyph" ] ||
  fail "DESTDIR hack link does not reach the staged program"

# An installed program seeds a new home folder from its own data folder.
XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen "$hack" --trace 1 --size 320x200 >/dev/null 2>&1 ||
  fail "installed program did not run a trace"
cmp -s "$work/config/driftglyph/DEFAULT.dgl" "$prefix/share/driftglyph/DEFAULT.dgl" ||
  fail "home folder not seeded from $prefix/share/driftglyph"

desktop=$prefix/share/applications/driftglyph.desktop
for line in 'Name=Driftglyph' 'Name[ja]=Driftglyph 設定' 'Exec=driftglyph /c' 'Icon=driftglyph' \
            'Categories=Education;Languages;Settings;'; do
  grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
done
grep -q '<screensaver name="driftglyph"' "$prefix/share/xscreensaver/config/driftglyph.xml" ||
  fail "XScreenSaver settings file does not name the hack driftglyph"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  skipped="$skipped desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/io.github.driftglyph.driftglyph.metainfo.xml" ||
    fail "appstreamcli validate"
else
  skipped="$skipped appstreamcli"
fi

[ "$failures" -eq 0 ] || exit 1
if [ -n "$skipped" ]; then
  echo "SKIP: not installed:$skipped (the files are there; their validation was not run)"
  exit 77
fi
echo "PASS: installed tree complete and valid"
