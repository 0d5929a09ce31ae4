#!/usr/bin/env bash
# End-to-end timing of the script front-end: a whole demonstration run that
# writes all four reports, beside /bin/true as the floor of a process start.
# Both are started the same way (fork and exec from this shell, standard input
# from the answer file), alternately, RUNS times each; the medians of the wall
# times and their ratio are reported, then the peak memory (GNU time).
#   ./scripts/timing.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-300}
./scripts/setup.sh time
build=$(./scripts/configure.sh)
cmake --build "$build" -j2 --target flyback >/dev/null
program=$(realpath "$build/frontends/cli/flyback")
answers=$(realpath bench/demo-all-reports.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Microseconds of one start of "$@" with the answers on standard input.
wall() {
  local start=$EPOCHREALTIME
  "$@" <"$answers" >/dev/null
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for _ in $(seq 10); do wall "$program" --script >/dev/null; wall /bin/true >/dev/null; done
: >flyback.times
: >true.times
for _ in $(seq "$runs"); do
  wall "$program" --script >>flyback.times
  wall /bin/true >>true.times
done
flyback_us=$(median <flyback.times)
true_us=$(median <true.times)
awk -v f="$flyback_us" -v t="$true_us" -v n="$runs" 'BEGIN {
  printf "median wall time of %d runs: flyback --script %.2f ms, /bin/true %.2f ms, ratio %.2f\n",
         n, f / 1000, t / 1000, f / t }'
/usr/bin/time -f "peak memory: %M KiB" "$program" --script <"$answers" >/dev/null
ls Name000?.doc | wc -l | xargs printf "report files written: %s\n"
