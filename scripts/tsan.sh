#!/usr/bin/env bash
# Builds the unit tests under ThreadSanitizer and runs those of the code that
# shares data between threads: the simulation worker that the terminal and
# the window run beside the dialogue, and the evaluator whose evaluation the
# worker reads. Outside the default
# test run (a build of its own, some minutes on two cores):
#   ./scripts/tsan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset tsan >/dev/null
cmake --build --preset tsan
TSAN_OPTIONS="halt_on_error=1" build-tsan/tests/flyback_tests \
  --gtest_filter='SimulationWorkerTest.*:BackgroundSimulation.*:DesignEvaluator.*'
