#!/usr/bin/env bash
# End-to-end timing of the script front-end: a whole demonstration run that
# writes all four reports, beside /bin/true as the floor of a process start.
# Reports the median wall time (hyperfine) and the peak memory (GNU time).
#   ./scripts/timing.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh hyperfine time
build=${FLYBACK_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target flyback >/dev/null
program=$(realpath "$build/frontends/cli/flyback")
answers=$(realpath bench/demo-all-reports.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
hyperfine --shell=none --warmup 5 --runs 200 --input "$answers" --output null \
  --export-json timing.json "$program --script" /bin/true 2>/dev/null ||
  hyperfine --warmup 5 --runs 200 --export-json timing.json \
    "$program --script < $answers > /dev/null" "/bin/true"
python3 - <<'PY'
import json
results = {r["command"]: r for r in json.load(open("timing.json"))["results"]}
flyback = next(r for c, r in results.items() if "flyback" in c)
floor = next(r for c, r in results.items() if "true" in c and "flyback" not in c)
print(f"median wall time: flyback --script {flyback['median']*1000:.2f} ms, "
      f"/bin/true {floor['median']*1000:.2f} ms, ratio {flyback['median']/floor['median']:.2f}")
PY
/usr/bin/time -f "peak memory: %M KiB" "$program" --script < "$answers" > /dev/null
ls Name000?.doc | wc -l | xargs printf "report files written: %s\n"
