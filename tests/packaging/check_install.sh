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
         share/applications/driftglyph.desktop share/driftglyph/driftglyph-idle.desktop share/icons/hicolor/scalable/apps/driftglyph.svg \
         share/xscreensaver/config/driftglyph.xml share/metainfo/io.github.driftglyph.driftglyph.metainfo.xml \
         share/doc/driftglyph/copyright share/doc/driftglyph/changelog.gz \
         share/man/man1/driftglyph.1.gz share/man/ja/man1/driftglyph.1.gz; do
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
for line in 'Name=Driftglyph' 'Name[ja]=Driftglyph' 'Exec=driftglyph /c' 'Icon=driftglyph' \
            'Categories=Education;Languages;'; do
  grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
done
grep -q '<screensaver name="driftglyph"' "$prefix/share/xscreensaver/config/driftglyph.xml" ||
  fail "XScreenSaver settings file does not name the hack driftglyph"

# Both manual pages format cleanly and give every switch that --help lists
# an entry of its own: a line that starts with switches at the outer indent.
switches=$("$prefix/bin/driftglyph" --help | grep -oE '(^|[ ,])(/[a-zA-Z]|--?[a-z][a-z-]*)' | tr -d ' ,' | sort -u)
[ -n "$switches" ] || fail "no switches found in --help"
for page in share/man/man1/driftglyph.1.gz share/man/ja/man1/driftglyph.1.gz; do
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/$page" 2>"$work/man.err" | grep -E '^ {7}[-/]') ||
    fail "man $page"
  [ -s "$work/man.err" ] && fail "man warns about $page: $(cat "$work/man.err")"
  for sw in $switches; do
    printf '%s\n' "$text" | grep -qE -e "(^|[^-a-z])$sw([^-a-z]|\$)" || fail "$page has no entry for $sw"
  done
done

if command -v desktop-file-validate >/dev/null; then
  # It also prints hints without failing: any output is a fault.
  hints=$(desktop-file-validate "$desktop" "$prefix/share/driftglyph/driftglyph-idle.desktop" 2>&1) ||
    fail "desktop-file-validate"
  [ -z "$hints" ] || fail "desktop-file-validate: $hints"
else
  skipped="$skipped desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/io.github.driftglyph.driftglyph.metainfo.xml" ||
    fail "appstreamcli validate"
else
  skipped="$skipped appstreamcli"
fi

# The Debian package passes lintian with neither errors nor warnings. It is
# built into the scratch folder, so neither tree keeps anything of it.
if command -v lintian >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  if cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1; then
    lintian --fail-on error,warning -EvIL +pedantic "$work"/deb/driftglyph_*.deb >"$work/lintian.log" 2>&1 ||
      { cat "$work/lintian.log"; fail "lintian"; }
    # The zip and SQLite libraries are loaded only to read Anki files: the
    # package names them, the program does not map them at start.
    if grep -q DRIFTGLYPH_ANKI:BOOL=ON "$build/CMakeCache.txt"; then
      dpkg-deb -f "$work"/deb/driftglyph_*.deb Depends | grep -q 'libzip4.*libsqlite3-0' || fail "package does not depend on libzip4 and libsqlite3-0"
      readelf -d "$prefix/bin/driftglyph" | grep -qE 'NEEDED.*lib(zip|sqlite3)' && fail "the program is linked to libzip or SQLite"
    fi
  else
    cat "$work/cpack.log"; fail "cpack -G DEB"
  fi
else
  skipped="$skipped lintian"
fi

[ "$failures" -eq 0 ] || exit 1
if [ -n "$skipped" ]; then
  echo "SKIP: not installed:$skipped (the files are there; their validation was not run)"
  exit 77
fi
echo "PASS: installed tree complete and valid"
