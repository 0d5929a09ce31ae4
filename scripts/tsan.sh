#!/usr/bin/env bash
# Builds the unit tests under ThreadSanitizer and runs those of the code that
# shares data between threads: the simulation worker that the terminal and
# the window run beside the dialogue, the stage's runs side by side on two
# threads, and the evaluator whose evaluation the worker reads. A build of
# its own (flyback_thread_tests, some minutes on two cores), outside the
# default test run and part of CI:
#   ./scripts/tsan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset tsan >/dev/null
cmake --build --preset tsan
# Twenty times over: a race shows only where the threads happen to meet.
TSAN_OPTIONS="halt_on_error=1" build-tsan/tests/flyback_thread_tests --gtest_repeat=20 \
  --gtest_brief=1
