#!/usr/bin/env bash
# Runs each libFuzzer target for a given time (seconds each, default 60):
# the dialogue alone, seeded with the answer files of the golden cases and
# the kept regression inputs; the writers (every output file checked on each
# design), seeded with the same answers and their own corpus; the core-data
# reader, seeded with its corpus.
#   ./scripts/fuzz.sh 1800
# A finding is written to fuzz/findings/; copy it to the target's kept
# folder (fuzz/regressions/, fuzz/writers_corpus/, fuzz/core_data/corpus/)
# once fixed, so that the normal test suite replays it for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/setup.sh clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target flyback_fuzz flyback_writers_fuzz
mkdir -p fuzz/findings

# fuzz_target TARGET KEPT_FOLDER: runs build-fuzz/fuzz/TARGET on a corpus of
# the golden answers and the kept inputs; new inputs stay in the corpus.
fuzz_target() {
  local target=$1 kept=$2
  local corpus=build-fuzz/corpus-$target
  mkdir -p "$corpus"
  for answers in tests/data/*/answers.txt; do
    cp "$answers" "$corpus/seed-$(basename "$(dirname "$answers")")"
  done
  cp "$kept"/* "$corpus"/ 2>/dev/null || true
  rm -f "$corpus/.keep"
  "build-fuzz/fuzz/$target" "$corpus" -dict=fuzz/answers.dict -max_total_time="$seconds" \
    -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="fuzz/findings/$target-"
}

fuzz_target flyback_fuzz fuzz/regressions
fuzz_target flyback_writers_fuzz fuzz/writers_corpus

# Any bytes as a --core-data file; inputs up to 8 kB reach nesting beyond the
# reader's 64 levels and values longer than its messages show.
cmake --build --preset fuzz --target flyback_core_data_fuzz
core_data_corpus=build-fuzz/core-data-corpus
mkdir -p "$core_data_corpus"
cp fuzz/core_data/corpus/* "$core_data_corpus"/
build-fuzz/fuzz/core_data/flyback_core_data_fuzz "$core_data_corpus" -dict=fuzz/core_data/core_data.dict \
  -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix=fuzz/findings/core-data-
