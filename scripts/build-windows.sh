#!/usr/bin/env bash
# Cross-builds Driftglyph for 64-bit Windows on Debian 12.
#
# 1. A static Qt for Windows, built once from Debian's own qt6-base source with the MinGW-w64
#    cross compiler and cached under ~/.cache/driftglyph/. The cache entry is keyed by the Qt
#    source version (with its Debian revision), the configure line, the patches applied, the
#    compiler packages and the toolchain file; a hit costs seconds.
# 2. Driftglyph cross-built against it in build-windows/.
# 3. build-windows/dist/: driftglyph.scr (one self-contained file), driftglyph-setup.exe (an
#    NSIS installer, silent with /S) and driftglyph-windows.zip (the .scr and a Japanese
#    read-me, for right-click -> Install).
# The dist folder is printed on stdout as the last line; everything else goes to stderr.
#
# Run as root or as a user with sudo (only apt-get needs it). Environment:
#   DRIFTGLYPH_CACHE  cache folder (default ${XDG_CACHE_HOME:-~/.cache}/driftglyph)
#   JOBS              parallel compile jobs (default 2)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
CACHE_ROOT=${DRIFTGLYPH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/driftglyph}
JOBS=${JOBS:-2}
TRIPLE=x86_64-w64-mingw32
HOST_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

# Qt for Windows: Core, Gui, Widgets and Test, with the windows platform plugin and the JPEG
# and GIF reader plugins (BMP is built into QtGui). A static Qt links these plugins into every
# program that links Qt6::Gui, without qt_import_plugins. The rest is left out.
# No ICU: text codecs are limited to the UTF family, Latin-1 and the system code page.
# Debian's source drops the Wacom tablet headers, hence no tabletevent. Direct2D must stay
# (the windows platform plugin does not build without it in 6.4); only direct2d1_1 goes.
QT_CONFIGURE_ARGS=(
  -release -static -static-runtime
  -xplatform win32-g++
  -qt-host-path /usr
  -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-pkg-config
  -qt-zlib -qt-libjpeg -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-vulkan -no-feature-tabletevent -no-feature-zstd
  -no-feature-direct2d1_1
)
# Fixes from debian/patches that touch code we build. The other security fixes in the series
# are for modules left out here (network, ODBC); the rest are Debian packaging changes.
QT_PATCHES=(
  cve-2023-32763.diff   # QTextLayout: overflow of QFixed on huge text widths
)

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev
  cmake ninja-build dpkg-dev patch xz-utils ca-certificates
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n librsvg2-bin icoutils
  nsis zip
)
BUILD=$ROOT/build-windows

log() { printf '[build-windows] %s\n' "$*" >&2; }
die() { log "error: $*"; exit 1; }

SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi

# Long build steps run at the lowest CPU and I/O priority.
NICE=(nice -n 19)
if command -v ionice >/dev/null 2>&1; then NICE+=(ionice -c3); fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Installs the given Debian packages that are missing; runs apt-get update only then.
apt_install() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  if [ "${#missing[@]}" -gt 0 ]; then
    log "installing: ${missing[*]}"
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >&2
  fi
}

install_packages() {
  apt_install "${PACKAGES[@]}"
}

pkg_version() { dpkg-query -W -f='${Version}' "$1"; }

# The cache key: everything that changes the built Qt.
compute_key() {
  # Debian's host tools (moc, rcc, uic) run in the cross build, so the target Qt is built from
  # the very source version they come from.
  QT_DEB_VERSION=$(pkg_version qt6-base-dev-tools)
  QT_VERSION=${QT_DEB_VERSION%%[+-]*}
  local cxx=$TRIPLE-g++-posix
  KEY_TEXT=$(cat <<EOF
format 1
qt6-base $QT_DEB_VERSION
patches ${QT_PATCHES[*]}
configure ${QT_CONFIGURE_ARGS[*]}
g++-mingw-w64-x86-64-posix $(pkg_version g++-mingw-w64-x86-64-posix)
mingw-w64-x86-64-dev $(pkg_version mingw-w64-x86-64-dev)
binutils-mingw-w64-x86-64 $(pkg_version binutils-mingw-w64-x86-64)
compiler $($cxx -dumpfullversion) $($cxx -dumpmachine)
toolchain $(sha256sum < "$ROOT/cmake/mingw-w64-x86_64.cmake" | cut -c1-64)
EOF
)
  local hash
  hash=$(printf '%s\n' "$KEY_TEXT" | sha256sum | cut -c1-12)
  QT_DIR=$CACHE_ROOT/qt-$QT_DEB_VERSION-$TRIPLE-static-$hash
  QT_PREFIX=$QT_DIR/prefix
}

qt_cached() {
  [ -f "$QT_DIR/complete" ] && [ -f "$QT_PREFIX/lib/cmake/Qt6/Qt6Config.cmake" ]
}

# Writes deb-src entries for the machine's own Debian archives (same URIs and keyrings as its
# deb entries for this release) into folder $1; /etc/apt itself stays untouched.
write_source_entries() {
  local dir=$1 codename
  # shellcheck disable=SC1091
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  [ -n "$codename" ] || die "cannot tell the Debian release from /etc/os-release"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v codename="$codename" '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && enabled != "no" && comps ~ /(^| )main( |$)/) {
          n = split(suites, s, " "); keep = ""
          for (i = 1; i <= n; i++) if (s[i] ~ "^" codename "(-|$)") keep = keep " " s[i]
          if (keep != "") {
            print "Types: deb-src"; print "URIs: " uris; print "Suites:" keep
            print "Components: main"
            if (signed ~ /^\//) print "Signed-By: " signed
            print ""
          }
        }
        types = uris = suites = comps = signed = enabled = ""
      }
      /^#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[A-Za-z-]+:/ {
        k = tolower(substr($0, 1, index($0, ":") - 1)); v = substr($0, index($0, ":") + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", v)
        if (k == "types") types = v; else if (k == "uris") uris = v
        else if (k == "suites") suites = v; else if (k == "components") comps = v
        else if (k == "signed-by") signed = v; else if (k == "enabled") enabled = tolower(v)
      }
      END { flush() }
    ' "$f"
  done > "$dir/debian-src.sources"
  # One-line entries, e.g. "deb [signed-by=...] http://deb.debian.org/debian bookworm main".
  local lists=()
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ]; then lists+=("$f"); fi
  done
  cat "${lists[@]}" /dev/null |
    awk -v codename="$codename" '
      $1 == "deb" && $0 ~ (" " codename "(-[a-z]+)? ") && $0 ~ / main( |$)/ {
        sub(/^deb /, "deb-src "); print
      }' > "$dir/debian-src.list"
  [ -s "$dir/debian-src.sources" ] || [ -s "$dir/debian-src.list" ] ||
    die "no Debian $codename archive found in /etc/apt"
}

# Downloads qt6-base's source package (exact version) into $1, through a private apt
# configuration in $1/apt. apt checks the files against the archive's signed index.
fetch_qt_source() {
  local dir=$1
  if [ -f "$dir/complete" ]; then return; fi
  log "downloading Debian source package qt6-base=$QT_DEB_VERSION"
  rm -rf "$dir"
  mkdir -p "$dir/apt/lists/partial" "$dir/apt/cache/archives/partial"
  write_source_entries "$dir/apt"
  local opts=(
    -o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$dir/apt"
    -o "Dir::State::Lists=$dir/apt/lists" -o "Dir::Cache=$dir/apt/cache"
  )
  # apt's download sandbox user cannot write into a private cache folder.
  if [ "$(id -u)" -eq 0 ]; then opts+=(-o APT::Sandbox::User=root); fi
  if ! { apt-get "${opts[@]}" update &&
         (cd "$dir" && apt-get "${opts[@]}" source --download-only "qt6-base=$QT_DEB_VERSION")
       } > "$dir.log" 2>&1; then
    tail -n 20 "$dir.log" >&2
    die "could not download qt6-base=$QT_DEB_VERSION (log: $dir.log)"
  fi
  rm -rf "$dir/apt"
  touch "$dir/complete"
}

build_qt() {
  local downloads=$CACHE_ROOT/downloads/qt6-base_$QT_DEB_VERSION
  local work=$QT_DIR.work
  fetch_qt_source "$downloads"

  rm -rf "$QT_DIR" "$work"
  mkdir -p "$QT_DIR" "$work"
  printf '%s\n' "$KEY_TEXT" > "$QT_DIR/key.txt"
  # The Qt build and, through Qt's own qt.toolchain.cmake, every later build against it load
  # this copy, so the prefix does not depend on where the repository is checked out.
  cp "$ROOT/cmake/mingw-w64-x86_64.cmake" "$QT_DIR/"

  log "unpacking qt6-base $QT_DEB_VERSION"
  local src=$work/src
  # The .dsc's own signature cannot be checked without debian-keyring; apt already checked
  # the files against the archive's signed index when it downloaded them.
  dpkg-source --skip-patches -x "$downloads/qt6-base_${QT_DEB_VERSION#*:}.dsc" "$src" \
    > "$QT_DIR/unpack.log" 2>&1 ||
    { cat "$QT_DIR/unpack.log" >&2; die "could not unpack qt6-base"; }
  local p
  for p in "${QT_PATCHES[@]}"; do
    log "applying debian/patches/$p"
    patch -d "$src" -p1 --forward --quiet < "$src/debian/patches/$p"
  done

  mkdir -p "$work/build"
  local t0 t1 t2
  t0=$(date +%s)
  log "configuring Qt $QT_VERSION for Windows (static)"
  (cd "$work/build" && "${NICE[@]}" "$src/configure" -prefix "$QT_PREFIX" \
      "${QT_CONFIGURE_ARGS[@]}" -- -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$QT_DIR/mingw-w64-x86_64.cmake" \
      -DQT_HOST_PATH_CMAKE_DIR="$HOST_CMAKE_DIR") > "$QT_DIR/configure.log" 2>&1 ||
    { tail -n 40 "$QT_DIR/configure.log" >&2; die "Qt configure failed (log: $QT_DIR/configure.log)"; }
  t1=$(date +%s)
  log "configured in $((t1 - t0)) s; building with $JOBS jobs (takes a while)"
  "${NICE[@]}" cmake --build "$work/build" --parallel "$JOBS" > "$QT_DIR/build.log" 2>&1 ||
    { tail -n 40 "$QT_DIR/build.log" >&2; die "Qt build failed (log: $QT_DIR/build.log)"; }
  t2=$(date +%s)
  log "built in $((t2 - t1)) s; installing"
  "${NICE[@]}" cmake --install "$work/build" > "$QT_DIR/install.log" 2>&1 ||
    { tail -n 40 "$QT_DIR/install.log" >&2; die "Qt install failed (log: $QT_DIR/install.log)"; }
  printf 'configure %s s\nbuild %s s\n' "$((t1 - t0))" "$((t2 - t1))" > "$QT_DIR/timings.txt"
  rm -rf "$work"
  touch "$QT_DIR/complete"
  log "Qt installed: $(du -sh "$QT_PREFIX" | cut -f1) in $QT_PREFIX"
}

# Finds or builds the static Qt for Windows; sets QT_PREFIX.
ensure_qt() {
  compute_key
  if qt_cached; then
    log "cache hit: Qt $QT_DEB_VERSION for Windows at $QT_PREFIX"
  else
    log "cache miss: building Qt $QT_DEB_VERSION for Windows into $QT_DIR"
    build_qt
  fi
}

# Cross-builds the given targets of Driftglyph (default: the program) in build-windows/.
build_driftglyph() {
  log "building Driftglyph for Windows in $BUILD"
  mkdir -p "$BUILD"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$QT_PREFIX" \
    ${DRIFTGLYPH_WINE:+-DCMAKE_CROSSCOMPILING_EMULATOR="$DRIFTGLYPH_WINE"} \
    > "$BUILD/configure.log" 2>&1 ||
    { tail -n 40 "$BUILD/configure.log" >&2; die "configure failed (log: $BUILD/configure.log)"; }
  cmake --build "$BUILD" --parallel "$JOBS" --target "${@:-driftglyph}" >&2 ||
    die "the Windows build failed"
}

# The licences of everything in driftglyph.scr: the program's own, Qt's (LGPL-3, with where its
# source is) and those of the MinGW-w64 runtime and GCC's runtime libraries linked in.
write_licenses() {
  local qt_version
  qt_version=$(pkg_version qt6-base-dev-tools)
  printf '%s\n\n' "==== Driftglyph ====" && cat "$ROOT/LICENSE"
  printf '\n%s\n\n' "==== Qt $QT_VERSION (Qt Core, Gui, Widgets), linked in statically ===="
  printf '%s\n' "Qt is used under the GNU Lesser General Public License version 3 (below)." \
    "Its source is Debian's source package qt6-base, version $qt_version" \
    "(\"apt-get source qt6-base=$qt_version\" on Debian 12, or https://sources.debian.org/src/qt6-base/$qt_version/)," \
    "built with the configure line and patches in scripts/build-windows.sh of Driftglyph's source." \
    "To relink the program with another Qt, build Driftglyph from its source against that Qt." ""
  cat /usr/share/common-licenses/LGPL-3
  printf '\n%s\n\n' "==== GNU General Public License version 3 (referred to by the LGPL) ===="
  cat /usr/share/common-licenses/GPL-3
  printf '\n%s\n\n' "==== MinGW-w64 runtime ===="
  cat /usr/share/doc/mingw-w64-x86-64-dev/copyright
  printf '\n%s\n\n' "==== GCC runtime libraries (libgcc, libstdc++), GPL-3 with the GCC Runtime Library Exception ===="
  cat /usr/share/doc/gcc-mingw-w64-base/copyright
}

# The three files a Windows user is given.
make_dist() {
  local dist=$BUILD/dist stage=$BUILD/dist.stage
  rm -rf "$dist" "$stage"
  mkdir -p "$dist" "$stage"
  "$TRIPLE-strip" -o "$dist/driftglyph.scr" "$BUILD/driftglyph.scr"
  # Notepad of any age reads a UTF-8 text with a byte-order mark and CR LF line ends.
  as_notepad_text() { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$@"; }
  as_notepad_text "$ROOT/packaging/windows/readme-ja.txt" > "$stage/readme-ja.txt"
  write_licenses | as_notepad_text > "$stage/licenses.txt"
  local version
  version=$(sed -n 's/^project(driftglyph VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
  makensis -V2 -INPUTCHARSET UTF8 -DSCR="$dist/driftglyph.scr" -DOUT="$dist/driftglyph-setup.exe" \
    -DICO="$BUILD/src/driftglyph.ico" -DLICENSES="$stage/licenses.txt" -DREADME="$stage/readme-ja.txt" \
    -DVERSION="$version" "$ROOT/packaging/windows/driftglyph.nsi" >&2 || die "makensis failed"
  cp "$dist/driftglyph.scr" "$stage/"
  (cd "$stage" && zip -q -9 -X "$dist/driftglyph-windows.zip" driftglyph.scr readme-ja.txt licenses.txt)
  rm -rf "$stage"
  log "made: $(cd "$dist" && ls -l | awk 'NR > 1 { printf "%s (%.1f MB) ", $9, $5 / 1048576 }')"
}

main() {
  install_packages
  mkdir -p "$CACHE_ROOT"
  # One build at a time per cache; a second run waits and then finds the cache filled.
  exec 9> "$CACHE_ROOT/.lock"
  flock 9
  ensure_qt
  exec 9>&-
  log "Qt prefix: $QT_PREFIX (toolchain: $ROOT/cmake/mingw-w64-x86_64.cmake)"
  build_driftglyph "$@"
  make_dist
  printf '%s\n' "$BUILD/dist"
}

main "$@"
