#!/usr/bin/env bash
# Sets up, builds the two programs (flyback and flyback-gui, not the tests)
# and starts flyback with the given options (the window on a desktop, the
# terminal otherwise). The build shows its progress; test.sh reuses it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=$(./scripts/configure.sh)
cmake --build "$build" -j2 --target flyback flyback-gui
exec "$build/frontends/cli/flyback" "$@"
