#!/usr/bin/env bash
# Sets up, builds (fresh build folder) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${FLYBACK_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DFLYBACK_WERROR="${FLYBACK_WERROR:-ON}"
cmake --build "$build" -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2
