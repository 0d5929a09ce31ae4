#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the core, the text and
# session front-end code and the fuzz console; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang-tidy
cmake -S . -B build-tidy -DFLYBACK_GUI=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
git ls-files 'src/*.cpp' 'frontends/cli/*.cpp' 'frontends/session/*.cpp' 'fuzz/*.cpp' |
  xargs -P2 -n4 clang-tidy -p build-tidy --quiet --extra-arg=-Wno-unknown-warning-option
