#!/usr/bin/env bash
# Configures the build folder that run.sh and test.sh share
# (FLYBACK_BUILD_DIR, default build) from the "release" preset, an optimized
# build with warnings as errors (FLYBACK_WERROR=OFF turns them off), so that
# each reuses what the other has built. Prints the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FLYBACK_BUILD_DIR:-build}
cmake --preset release -B "$build" ${FLYBACK_WERROR:+-DFLYBACK_WERROR="$FLYBACK_WERROR"} >/dev/null
echo "$build"
