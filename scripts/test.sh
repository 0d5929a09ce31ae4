#!/usr/bin/env bash
# Sets up (packages and the test locales), builds everything in the build
# folder that run.sh uses, with the same configuration (what run.sh built is
# reused), and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --locales
build=$(./scripts/configure.sh)
cmake --build "$build" -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2
