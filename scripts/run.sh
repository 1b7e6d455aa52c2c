#!/usr/bin/env bash
# Installs what is needed, builds the program alone (not the tests and
# benchmarks), and starts the screen saver full screen on the default word
# list and picture that lie beside the built executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --parallel "$(nproc)" --target driftglyph
exec build/src/driftglyph /s "$@"
