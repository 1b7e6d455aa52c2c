#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with address and undefined-behaviour
# sanitizers in ./build-fuzz and runs each for SECONDS (default 60), starting
# from its seed corpus. Exits non-zero, naming the reproducer, when an input
# crashes, hangs (1 s), needs more than 512 MB or trips a sanitizer.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-clang.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRIFTGLYPH_FUZZ=ON
cmake --build build-fuzz --parallel 2 --target fuzz_targets

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# AddressSanitizer keeps freed memory in quarantine (256 MB by default) and
# gives little back to the system, so over a long run its own memory, not the
# input's, would pass the 512 MB limit. A smaller quarantine still catches a
# use after free; released memory goes back, so only a real blow-up fails.
export ASAN_OPTIONS="quarantine_size_mb=64:allocator_release_to_os_interval_ms=500:${ASAN_OPTIONS:-}"
# The targets write their files where writing is cheapest.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
failed=0
for seeds in tests/fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  work="build-fuzz/corpus/$name"
  artifacts="build-fuzz/artifacts/$name/"
  mkdir -p "$work" "$artifacts"
  log="build-fuzz/$name.log"
  if "build-fuzz/tests/fuzz/$name" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=512 \
      -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "$seeds" >"$log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$name: ${runs:-?} inputs, nothing found"
  else
    failed=1
    reproducer="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
    echo "$name: FAILED, reproducer: ${reproducer:-none written} (log: $log)" >&2
    grep -m 20 -E "ERROR|SUMMARY|check failed|runtime error" "$log" >&2 || true
  fi
done
exit "$failed"
