#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted by .clang-format.
#   ./scripts/format-check.sh        (./scripts/format-check.sh --fix formats them)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang-format
if [ "${1:-}" = "--fix" ]; then
  git ls-files '*.cpp' '*.h' | xargs clang-format -i
else
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
fi
