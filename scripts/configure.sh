#!/usr/bin/env bash
# Configures the build folder that run.sh and test.sh share
# (FLYBACK_BUILD_DIR, default build) from the "release" preset, an optimized
# build, so that each reuses what the other has built. A user's compiler may
# warn where ours does not, so warnings stop the build only where asked:
# FLYBACK_WERROR=ON (CI and the dev preset). Prints the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FLYBACK_BUILD_DIR:-build}
cmake --preset release -B "$build" ${FLYBACK_WERROR:+-DFLYBACK_WERROR="$FLYBACK_WERROR"} >/dev/null
echo "$build"
