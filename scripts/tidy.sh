#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the C++ sources of the
# core, the adapters, the front-ends (the window too), the tests and the fuzz console; any
# finding fails. (The benchmarks are left out: the analyzer takes the loop
# variable of every benchmark loop for a dead store.)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang-tidy
cmake -S . -B build-tidy -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The window's tests include the files that Qt's moc generates.
cmake --build build-tidy --target flyback_gui_tests_autogen >/dev/null
# Headers of the tree only, not the files that moc generates in build-tidy.
git ls-files '*.cpp' ':!bench/*' |
  xargs -P2 -n4 clang-tidy -p build-tidy --quiet --extra-arg=-Wno-unknown-warning-option \
    --header-filter="^$(pwd)/(src|adapters|frontends|tests|fuzz)/"
