#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file keeps the tree's format, builds everything
# with AddressSanitizer and UndefinedBehaviorSanitizer (the benchmarks too, so they keep
# compiling; they are not run), and runs every test. The asan test preset carries the
# sanitizers' options, so `ctest --preset asan` by hand runs as here.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/check-format
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)"
ctest --preset asan -j"$(nproc)" --timeout 300
