#!/usr/bin/env bash
# Sets up, builds and starts flyback (the window on a desktop, the terminal otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${FLYBACK_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
exec "$build/frontends/cli/flyback" "$@"
