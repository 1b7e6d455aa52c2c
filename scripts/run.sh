#!/usr/bin/env bash
# Installs what is needed, builds, and starts the screen saver full screen on
# the default word list and picture that lie beside the built executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/src/driftglyph /s "$@"
