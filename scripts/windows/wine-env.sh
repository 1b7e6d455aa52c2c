# Sourceable: sets up Debian's Wine (packages wine64, wine, fonts-wine) to run the Windows
# build of Driftglyph and its tests on an X display.
#
#   . scripts/windows/wine-env.sh                # defines the functions below
#   wine_env_start_xvfb                          # optional: a private Xvfb, exports DISPLAY
#   wine_env_make_prefix /tmp/dg-wine            # fresh prefix, exports WINEPREFIX
#   "$WINE" ./tests.exe -o result.txt,txt        # QtTest prints nothing to Wine's stdout
#   wine_env_stop                                # ends this prefix's wineserver and the Xvfb
#
# Prefixes are cheap (about 10 s) and never cached: always start from a fresh one, under /tmp
# or build-windows/.

WINE=${WINE:-/usr/lib/wine/wine64}
if [ ! -x "$WINE" ]; then WINE=$(command -v wine64 || command -v wine || echo wine); fi
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
if [ ! -x "$WINESERVER" ]; then WINESERVER=$(command -v wineserver || echo wineserver); fi
export WINE WINESERVER
export WINEARCH=win64
# No debug chatter, and no offers to download Mono or Gecko on first start.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts Xvfb on the first free display number and exports DISPLAY and WINE_ENV_XVFB_PID.
wine_env_start_xvfb() {
  local fifo
  fifo=$(mktemp -u /tmp/wine-env-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${WINE_ENV_SCREEN:-1280x800x24}" -nolisten tcp 3> "$fifo" \
    > /dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local number
  read -r number < "$fifo"
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "wine-env: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number" WINE_ENV_XVFB_PID
}

# Makes a fresh Wine prefix in folder $1 (emptied first) and exports WINEPREFIX.
wine_env_make_prefix() {
  local prefix=${1:?wine_env_make_prefix: a folder is needed}
  if [ -z "${DISPLAY:-}" ]; then
    echo "wine-env: DISPLAY is not set" >&2
    return 1
  fi
  rm -rf "$prefix"
  mkdir -p "$prefix"
  WINEPREFIX=$(cd "$prefix" && pwd)
  export WINEPREFIX
  "$WINE" wineboot -i > /dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; return 1; }
  # Debian's Wine leaves its own fonts (Tahoma, MS Sans Serif, ...) outside the prefix, so
  # Windows programs would find no fonts by those names.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  # Let Wine place windows itself: with no window manager, hiding a full-screen window
  # otherwise waits two seconds for one.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    > /dev/null 2>&1 || { echo "wine-env: reg add failed" >&2; return 1; }
  "$WINESERVER" -w
}

# Ends this prefix's wineserver (and its programs) and the Xvfb that wine_env_start_xvfb began.
wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then "$WINESERVER" -k 2> /dev/null || true; fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2> /dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2> /dev/null || true
    unset WINE_ENV_XVFB_PID
  fi
}
