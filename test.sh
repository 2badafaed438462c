#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
ctest --preset asan -j"$(nproc)" --timeout 300
