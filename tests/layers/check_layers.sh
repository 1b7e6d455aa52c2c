#!/bin/sh
# The tree's layering, checked on the sources: every include points down a
# layer, xcb is spoken only by the X11 backend, and one place chooses Qt's
# platform.   check_layers.sh SRC_DIR
src=$1
status=0
fail() { echo "$1"; status=1; }

# may FOLDER LAYERS...: FOLDER includes from itself and LAYERS only.
may() {
  folder=$1
  shift
  for used in $(grep -rhoE '#include "[a-z_0-9]+/' "$src/$folder" | sed 's/#include "//; s/\///' | sort -u); do
    case " $folder $* " in
      *" $used "*) ;;
      *) fail "src/$folder includes from src/$used, which it may not: $(grep -rlE "#include \"$used/" "$src/$folder" | tr '\n' ' ')" ;;
    esac
  done
}
may os
may startup os
may desktop os
may anki os startup
may display os startup desktop
may patterns os startup desktop display
may idle os
may backends os startup desktop display idle
may editor os startup desktop anki
may settings os startup desktop anki display patterns editor

outside=$(grep -rlE '#include <xcb/' "$src" | grep -v "^$src/backends/x11/")
[ -z "$outside" ] || fail "xcb outside src/backends/x11: $outside"
choosers=$(grep -rl 'qputenv("QT_QPA_PLATFORM"' "$src")
[ "$choosers" = "$src/desktop/window_system.cpp" ] || fail "Qt's platform is set in: $choosers"
exit $status
