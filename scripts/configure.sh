#!/usr/bin/env bash
# Configures the build folder that run.sh and test.sh share
# (FLYBACK_BUILD_DIR, default build) with one configuration for both: an
# optimized build with warnings as errors (FLYBACK_WERROR=OFF turns them
# off), so that each reuses what the other has built. Prints the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FLYBACK_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DFLYBACK_WERROR="${FLYBACK_WERROR:-ON}" >/dev/null
echo "$build"
