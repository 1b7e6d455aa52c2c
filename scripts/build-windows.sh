#!/usr/bin/env bash
# Cross-builds Driftglyph for 64-bit Windows on Debian 12.
#
# 1. A static Qt for Windows, built once from Debian's own qt6-base source with the MinGW-w64
#    cross compiler and cached under ~/.cache/driftglyph/. The cache entry is keyed by the Qt
#    source version (with its Debian revision), the configure line, the patches applied, the
#    compiler packages and the toolchain file; a hit costs seconds.
# 2. SQLite, libzip, zlib and zstd for the Anki readers, built the same way (static, from
#    Debian's source packages) and cached beside Qt.
# 3. Driftglyph cross-built against them in build-windows/.
# 4. build-windows/dist/: driftglyph.scr (one self-contained file), driftglyph-setup.exe (an
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
# Changes of our own, in scripts/windows/qt-patches/ (the cache key holds their contents).
QT_OWN_PATCHES=(
  harfbuzz-face-glyph-count.diff   # no copy of the font's 'loca' table in every font engine
  raster-fills-in-painting-thread.diff   # no worker threads for the raster engine's fills
)

# The libraries the Anki readers link (SQLite, libzip with zlib, zstd), built as static
# libraries from Debian 12's own source packages, Debian's patches applied. Pinned to versions
# in bookworm main (the mirror this was written against served no bookworm-security source
# files, e.g. libzstd 1.5.4+dfsg2-5+deb12u1); a new upload is taken by changing its line.
DEP_SOURCES=(
  zlib=1:1.2.13.dfsg-1
  libzstd=1.5.4+dfsg2-5
  sqlite3=3.40.1-2+deb12u2
  libzip=1.7.3-1
)
DEP_CFLAGS="-O2 -g0"
# SQLite: the amalgamation, thread-safe, without loadable extensions.
SQLITE_DEFINES=(-DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION)
# libzip: no encryption, bzip2 or xz; the Anki packages are plain deflate (their collections
# zstd, which the program decompresses itself).
LIBZIP_CMAKE_ARGS=(
  -DBUILD_SHARED_LIBS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF
  -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
)
ZSTD_CMAKE_ARGS=(
  -DZSTD_BUILD_SHARED=OFF -DZSTD_BUILD_STATIC=ON -DZSTD_BUILD_PROGRAMS=OFF -DZSTD_BUILD_TESTS=OFF
  -DZSTD_BUILD_CONTRIB=OFF -DZSTD_MULTITHREAD_SUPPORT=OFF -DZSTD_LEGACY_SUPPORT=OFF
)

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev
  cmake ninja-build dpkg-dev patch xz-utils ca-certificates
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n librsvg2-bin icoutils
  nsis zip tcl pkg-config
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

# The lines of a cache key that name the cross toolchain: the compiler package $1, the
# runtime and binutils packages, the compiler $2 itself and the toolchain file.
toolchain_key() {
  local package=$1 compiler=$2
  cat <<EOF
$package $(pkg_version "$package")
mingw-w64-x86-64-dev $(pkg_version mingw-w64-x86-64-dev)
binutils-mingw-w64-x86-64 $(pkg_version binutils-mingw-w64-x86-64)
compiler $($compiler -dumpfullversion) $($compiler -dumpmachine)
toolchain $(sha256sum < "$ROOT/cmake/mingw-w64-x86_64.cmake" | cut -c1-64)
EOF
}

# The cache key: everything that changes the built Qt.
compute_key() {
  # Debian's host tools (moc, rcc, uic) run in the cross build, so the target Qt is built from
  # the very source version they come from.
  QT_DEB_VERSION=$(pkg_version qt6-base-dev-tools)
  QT_VERSION=${QT_DEB_VERSION%%[+-]*}
  KEY_TEXT=$(cat <<EOF
format 1
qt6-base $QT_DEB_VERSION
patches ${QT_PATCHES[*]}
own patches $(cd "$ROOT/scripts/windows/qt-patches" && sha256sum "${QT_OWN_PATCHES[@]}" | tr -s ' \n' ' ')
configure ${QT_CONFIGURE_ARGS[*]}
$(toolchain_key g++-mingw-w64-x86-64-posix "$TRIPLE-g++-posix")
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

# Downloads source package $1 (exact version $2) into $3, through a private apt configuration
# in $3/apt. apt checks the files against the archive's signed index.
fetch_source() {
  local name=$1 version=$2 dir=$3
  if [ -f "$dir/complete" ]; then return; fi
  log "downloading Debian source package $name=$version"
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
         (cd "$dir" && apt-get "${opts[@]}" source --download-only "$name=$version")
       } > "$dir.log" 2>&1; then
    tail -n 20 "$dir.log" >&2
    die "could not download $name=$version (log: $dir.log; an outdated apt index? apt-get update)"
  fi
  rm -rf "$dir/apt"
  touch "$dir/complete"
}

# Downloads source package $1 (version $2) into the download cache and unpacks it, with
# Debian's patches applied (its security fixes among them), into $3.
fetch_and_unpack() {
  local name=$1 version=$2 into=$3 downloads=$CACHE_ROOT/downloads/${1}_${2#*:}
  fetch_source "$name" "$version" "$downloads"
  local dsc=$downloads/${name}_${version#*:}.dsc
  [ -f "$dsc" ] || die "no ${dsc##*/} in $downloads"
  # The .dsc's own signature cannot be checked without debian-keyring; apt already checked
  # the files against the archive's signed index when it downloaded them.
  dpkg-source -x "$dsc" "$into" > "$into.unpack.log" 2>&1 ||
    { cat "$into.unpack.log" >&2; die "could not unpack $name"; }
}

build_qt() {
  local downloads=$CACHE_ROOT/downloads/qt6-base_$QT_DEB_VERSION
  local work=$QT_DIR.work
  fetch_source qt6-base "$QT_DEB_VERSION" "$downloads"

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
  for p in "${QT_OWN_PATCHES[@]}"; do
    log "applying scripts/windows/qt-patches/$p"
    patch -d "$src" -p1 --forward --quiet < "$ROOT/scripts/windows/qt-patches/$p"
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

# The cache key of the libraries: their source versions, how they are built and the compiler.
compute_deps_key() {
  DEPS_KEY_TEXT=$(cat <<EOF
format 1
sources ${DEP_SOURCES[*]}
cflags $DEP_CFLAGS
sqlite ${SQLITE_DEFINES[*]}
libzip ${LIBZIP_CMAKE_ARGS[*]}
zstd ${ZSTD_CMAKE_ARGS[*]}
$(toolchain_key gcc-mingw-w64-x86-64-posix "$TRIPLE-gcc-posix")
EOF
)
  local hash
  hash=$(printf '%s\n' "$DEPS_KEY_TEXT" | sha256sum | cut -c1-12)
  DEPS_DIR=$CACHE_ROOT/anki-libs-$TRIPLE-static-$hash
  DEPS_PREFIX=$DEPS_DIR/prefix
}

deps_cached() {
  [ -f "$DEPS_DIR/complete" ] && [ -f "$DEPS_PREFIX/lib/libsqlite3.a" ] &&
    [ -f "$DEPS_PREFIX/lib/pkgconfig/libzip.pc" ] && [ -f "$DEPS_PREFIX/lib/pkgconfig/libzstd.pc" ]
}

# The version DEP_SOURCES gives source package $1.
dep_version() {
  local entry
  for entry in "${DEP_SOURCES[@]}"; do
    if [ "${entry%%=*}" = "$1" ]; then printf '%s\n' "${entry#*=}"; return; fi
  done
  die "no version for $1 in DEP_SOURCES"
}

# Runs a build step of library $1 in $DEP_CWD at low priority, its output in $DEPS_DIR/$1.log.
dep_step() {
  local name=$1; shift
  (cd "$DEP_CWD" && "${NICE[@]}" "$@") >> "$DEPS_DIR/$name.log" 2>&1 ||
    { tail -n 30 "$DEPS_DIR/$name.log" >&2; die "building $name failed (log: $DEPS_DIR/$name.log)"; }
}

build_deps() {
  local work=$DEPS_DIR.work name
  rm -rf "$DEPS_DIR" "$work"
  mkdir -p "$DEPS_PREFIX/lib" "$DEPS_PREFIX/include" "$DEPS_PREFIX/share/licenses" "$work"
  printf '%s\n' "$DEPS_KEY_TEXT" > "$DEPS_DIR/key.txt"
  for name in zlib libzstd sqlite3 libzip; do
    fetch_and_unpack "$name" "$(dep_version "$name")" "$work/$name"
    cp "$work/$name/debian/copyright" "$DEPS_PREFIX/share/licenses/$name"
  done
  local cc=$TRIPLE-gcc-posix t0 t1
  t0=$(date +%s)
  local cmake_common=(
    -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$DEP_CFLAGS"
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"
    -DCMAKE_PREFIX_PATH="$DEPS_PREFIX" -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX"
    -DCMAKE_INSTALL_LIBDIR=lib
  )

  log "building zlib $(dep_version zlib) for Windows (static)"
  DEP_CWD=$work/zlib
  dep_step zlib env CHOST="$TRIPLE" CC="$cc" AR="$TRIPLE-ar" RANLIB="$TRIPLE-ranlib" \
    CFLAGS="$DEP_CFLAGS" ./configure --static --prefix="$DEPS_PREFIX" --libdir="$DEPS_PREFIX/lib"
  dep_step zlib make -j"$JOBS" libz.a
  dep_step zlib make install

  log "building zstd $(dep_version libzstd) for Windows (static)"
  DEP_CWD=$work/libzstd/build/cmake
  dep_step libzstd cmake -S . -B build "${cmake_common[@]}" "${ZSTD_CMAKE_ARGS[@]}"
  dep_step libzstd cmake --build build --parallel "$JOBS"
  dep_step libzstd cmake --install build

  log "building SQLite $(dep_version sqlite3) for Windows (static, from its amalgamation)"
  # sqlite3.c is generated by the source tree's own tools (with tclsh), built for this machine.
  DEP_CWD=$work/sqlite3-amalgamation
  mkdir -p "$DEP_CWD"
  dep_step sqlite3 ../sqlite3/configure --disable-tcl
  dep_step sqlite3 make sqlite3.c
  dep_step sqlite3 "$cc" $DEP_CFLAGS "${SQLITE_DEFINES[@]}" -c sqlite3.c -o sqlite3.o
  dep_step sqlite3 "$TRIPLE-ar" rcs "$DEPS_PREFIX/lib/libsqlite3.a" sqlite3.o
  cp "$DEP_CWD/sqlite3.h" "$DEP_CWD/sqlite3ext.h" "$DEPS_PREFIX/include/"

  log "building libzip $(dep_version libzip) for Windows (static)"
  DEP_CWD=$work/libzip
  dep_step libzip cmake -S . -B build "${cmake_common[@]}" "${LIBZIP_CMAKE_ARGS[@]}" \
    -DZLIB_ROOT="$DEPS_PREFIX"
  dep_step libzip cmake --build build --parallel "$JOBS"
  dep_step libzip cmake --install build

  t1=$(date +%s)
  printf 'build %s s\n' "$((t1 - t0))" > "$DEPS_DIR/timings.txt"
  rm -rf "$work"
  touch "$DEPS_DIR/complete"
  log "libraries built in $((t1 - t0)) s into $DEPS_PREFIX"
}

# Finds or builds the static libraries of the Anki readers; sets DEPS_PREFIX.
ensure_deps() {
  compute_deps_key
  if deps_cached; then
    log "cache hit: SQLite, libzip, zstd and zlib for Windows at $DEPS_PREFIX"
  else
    log "cache miss: building SQLite, libzip, zstd and zlib for Windows into $DEPS_DIR"
    build_deps
  fi
}

# Cross-builds the given targets of Driftglyph (default: the program) in build-windows/.
build_driftglyph() {
  log "building Driftglyph for Windows in $BUILD"
  mkdir -p "$BUILD"
  # CMake keeps the Qt it found first: a build folder made against another Qt cache entry
  # (an older key) is configured afresh.
  if [ -f "$BUILD/CMakeCache.txt" ] &&
     ! grep -qxF "Qt6_DIR:PATH=$QT_PREFIX/lib/cmake/Qt6" "$BUILD/CMakeCache.txt"; then
    log "the build folder was configured against another Qt: configuring it afresh"
    rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles"
  fi
  # pkg-config reads only the libraries' own .pc files, never the Linux host's.
  export PKG_CONFIG_LIBDIR=$DEPS_PREFIX/lib/pkgconfig PKG_CONFIG_PATH=
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$QT_PREFIX;$DEPS_PREFIX" -DDRIFTGLYPH_ANKI=ON \
    ${DRIFTGLYPH_WINE:+-DCMAKE_CROSSCOMPILING_EMULATOR="$DRIFTGLYPH_WINE"} \
    > "$BUILD/configure.log" 2>&1 ||
    { tail -n 40 "$BUILD/configure.log" >&2; die "configure failed (log: $BUILD/configure.log)"; }
  cmake --build "$BUILD" --parallel "$JOBS" --target "${@:-driftglyph}" >&2 ||
    die "the Windows build failed"
}

# The licences of everything in driftglyph.scr: the program's own, Qt's (LGPL-3, with where its
# source is), those of SQLite, libzip, zlib and zstd (their Debian copyright files) and those of the MinGW-w64 runtime and GCC's runtime libraries linked in.
write_licenses() {
  local qt_version
  qt_version=$(pkg_version qt6-base-dev-tools)
  printf '%s\n\n' "==== Driftglyph ====" && cat "$ROOT/LICENSE"
  printf '\n%s\n\n' "==== Qt $QT_VERSION (Qt Core, Gui, Widgets), linked in statically ===="
  printf '%s\n' "Qt is used under the GNU Lesser General Public License version 3 (below)." \
    "Its source is Debian's source package qt6-base, version $qt_version" \
    "(\"apt-get source qt6-base=$qt_version\" on Debian 12, or https://sources.debian.org/src/qt6-base/$qt_version/)," \
    "built with the configure line and patches in scripts/build-windows.sh of Driftglyph's source," \
    "and changed by the patches that follow (scripts/windows/qt-patches/ in that source)." \
    "To relink the program with another Qt, build Driftglyph from its source against that Qt." ""
  local patch
  for patch in "${QT_OWN_PATCHES[@]}"; do
    printf '%s\n' "---- $patch ----"
    cat "$ROOT/scripts/windows/qt-patches/$patch"
  done
  printf '\n'
  cat /usr/share/common-licenses/LGPL-3
  printf '\n%s\n\n' "==== GNU General Public License version 3 (referred to by the LGPL) ===="
  cat /usr/share/common-licenses/GPL-3
  local name
  for name in sqlite3 libzip zlib libzstd; do
    printf '\n%s\n\n' "==== $name $(dep_version "$name") (Debian's source package), linked in statically ===="
    cat "$DEPS_PREFIX/share/licenses/$name"
  done
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
  ensure_deps
  exec 9>&-
  log "Qt prefix: $QT_PREFIX; libraries: $DEPS_PREFIX (toolchain: $ROOT/cmake/mingw-w64-x86_64.cmake)"
  build_driftglyph "$@"
  make_dist
  printf '%s\n' "$BUILD/dist"
}

main "$@"
