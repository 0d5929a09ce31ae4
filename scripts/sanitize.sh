#!/usr/bin/env bash
# Builds and runs the whole test suite, the window (offscreen) and the design
# overview included, under AddressSanitizer,
# UndefinedBehaviorSanitizer and the libstdc++ assertions.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --locales
cmake --preset asan-ubsan >/dev/null
cmake --build --preset asan-ubsan
ctest --preset asan-ubsan -j2
