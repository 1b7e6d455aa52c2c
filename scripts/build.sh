#!/usr/bin/env bash
# Configures and builds into ./build (Release with debug info). Arguments go
# to the configure step, e.g. scripts/build.sh -DDRIFTGLYPH_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@"
cmake --build build --parallel "$(nproc)"
