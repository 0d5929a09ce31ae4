#!/usr/bin/env bash
# Runs the libFuzzer target for a given time (seconds, default 60), seeded with
# the answer files of the golden cases and the kept regression inputs.
#   ./scripts/fuzz.sh 1800
# A finding is written to fuzz/findings/; copy it to fuzz/regressions/ once
# fixed, so that the normal test suite replays it for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/setup.sh clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target flyback_fuzz
corpus=build-fuzz/corpus
mkdir -p "$corpus" fuzz/findings
for answers in tests/data/*/answers.txt; do
  cp "$answers" "$corpus/seed-$(basename "$(dirname "$answers")")"
done
cp fuzz/regressions/* "$corpus"/ 2>/dev/null || true
rm -f "$corpus/.keep"
build-fuzz/fuzz/flyback_fuzz "$corpus" -dict=fuzz/answers.dict -max_total_time="$seconds" -max_len=4096 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=fuzz/findings/
