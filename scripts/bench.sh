#!/usr/bin/env bash
# Builds and runs the Google Benchmark benchmarks (optimized build).
#   ./scripts/bench.sh [benchmark options, e.g. --benchmark_filter=Calculation]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh libbenchmark-dev
cmake --preset bench >/dev/null
cmake --build --preset bench
exec build-bench/bench/flyback_bench "$@"
