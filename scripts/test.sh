#!/usr/bin/env bash
# Installs what is needed, builds (any compiler warning fails the build), and
# runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DDRIFTGLYPH_WERROR=ON
ctest --test-dir build --output-on-failure --timeout 300
