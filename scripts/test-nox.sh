#!/usr/bin/env bash
# Builds without X11 in ./build-nox, as on a platform that has no X server
# (everything drawn by Qt), and runs every test that needs no X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-nox -G Ninja -DDRIFTGLYPH_X11=OFF -DDRIFTGLYPH_IDLE=OFF -DCMAKE_BUILD_TYPE=Release
cmake --build build-nox --parallel "$(nproc)"
ctest --test-dir build-nox --output-on-failure --timeout 300 -j2
