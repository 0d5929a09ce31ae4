#!/usr/bin/env bash
# The checks that take too long for CI on two cores (about 45 minutes
# there), run before work is merged: clang-tidy over the whole tree, the
# whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, and
# SECONDS of fuzzing for each of the three fuzz targets (default 20).
#   ./scripts/deep-check.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/tidy.sh
./scripts/sanitize.sh
./scripts/fuzz.sh "${1:-20}"
