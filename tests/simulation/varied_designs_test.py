"""Twelve designs of different kinds each simulate in ngspice.

Usage: varied_designs_test.py FLYBACK TESTS. Runs every design below with
'flyback --script --simulate --without-load-points --export d.json' (the
efficiency map's load points are judged on the demonstration alone), two
at a time, each in its own folder (the reports some of them write land there). Each must end with
status 0 and no "flyback: " failure on standard error, its design file must
hold a simulation with both operating points and a finite number of
simulated periods at each, and its transcript must be the one the dialogue
gives without --simulate: the hand-checked transcript beside a reused
answer file, a run without --simulate for the others. Exits with 77
(skipped) where ngspice or its shared library is not installed.

Together they span one to four outputs, 10 W to 250 W, wide mains, 230 V
mains only, DC input, fixed frequency, an own core file, a spare winding
without load and a supply without PFC.
"""

import concurrent.futures
import ctypes.util
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

POINTS = ["lowest input voltage", "highest input voltage"]
# Golden designs: their folder below TESTS/data, with answers.txt and the
# hand-checked transcript.txt.
GOLDEN = {
    "three outputs, 76 W, 90-270 V": "demo-3-outputs",
    "four outputs, opto regulation": "demo-4-outputs",
    "one output, 50 W": "report-one-output",
    "two outputs, 55 W, no PFC, layer core": "losses-no-pfc-snubber",
    "DC input 300-400 V": "report-dc-input",
    "fixed frequency 50-70 kHz": "report-fixed-frequency",
    "layer core with airgap": "report-layer-airgap",
    "temporary high power": "report-thp",
    "drain limit 540 V by hand": "losses-drain-limit-540",
}
# Designs of their own: the answer file below TESTS/simulation/designs and
# further arguments, a file name among them taken from the same folder.
OWN = {
    "one output, 10 W, 195-265 V": ("ten-watt-230v.txt", []),
    "two outputs, 252 W, own core": ("250w-own-core.txt", ["--core-data", "e55-n87-core.json"]),
    "spare winding with Imax 0": ("spare-winding-no-load.txt", []),
}
PARALLEL = 2


def run_flyback(flyback, answers, arguments, folder):
    with open(answers, "rb") as feed:
        return subprocess.run([flyback, "--script", *arguments], stdin=feed, cwd=folder,
                              capture_output=True, timeout=240, check=False)


def check_design(flyback, tests, design, work):
    if design in GOLDEN:
        folder = os.path.join(tests, "data", GOLDEN[design])
        answers, arguments = os.path.join(folder, "answers.txt"), []
        transcript = os.path.join(folder, "transcript.txt")
    else:
        folder = os.path.join(tests, "simulation", "designs")
        answers, extra = OWN[design]
        answers = os.path.join(folder, answers)
        arguments = [os.path.join(folder, a) if a.endswith(".json") else a for a in extra]
        transcript = None
    here = tempfile.mkdtemp(dir=work)
    start = time.monotonic()
    run = run_flyback(flyback, answers, [*arguments, "--simulate", "--without-load-points", "--export", "d.json"], here)
    problems = [f"ran {time.monotonic() - start:.1f} s"]
    if run.returncode != 0:
        problems.append(f"flyback ended with status {run.returncode}")
    problems += [line for line in run.stderr.decode().splitlines() if line.startswith("flyback: ")]
    if transcript is None:
        expected = run_flyback(flyback, answers, arguments, here).stdout
    else:
        with open(transcript, "rb") as file:
            expected = file.read()
    if run.stdout != expected:
        problems.append("--simulate changed the transcript")
    try:
        with open(os.path.join(here, "d.json"), encoding="utf-8") as file:
            simulation = json.load(file)["simulation"]
    except (OSError, ValueError, KeyError) as error:
        return problems + [f"no design file: {error}"]
    if simulation is None or "operating_points" not in simulation:
        return problems + [f"simulation {simulation}"]
    points = simulation["operating_points"]
    if [p["operating_point"] for p in points] != POINTS:
        problems.append(f"operating points {[p['operating_point'] for p in points]}")
    for point in points:
        periods = point.get("periods_simulated")
        if not isinstance(periods, (int, float)) or not math.isfinite(periods):
            problems.append(f"{point['operating_point']}: periods_simulated {periods}")
    return problems


def main():
    flyback, tests = (os.path.abspath(argument) for argument in sys.argv[1:3])
    if shutil.which("ngspice") is None or ctypes.util.find_library("ngspice") is None:
        print("ngspice or its shared library is not installed (scripts/setup.sh): skipped")
        return 77
    start = time.monotonic()
    failed = False
    with tempfile.TemporaryDirectory() as work:
        with concurrent.futures.ThreadPoolExecutor(max_workers=PARALLEL) as pool:
            results = {design: pool.submit(check_design, flyback, tests, design, work)
                       for design in [*GOLDEN, *OWN]}
            for design, result in results.items():
                duration, *problems = result.result()
                print(f"{design}: {duration}")
                for problem in problems:
                    print(f"FAILED: {design}: {problem}")
                failed = failed or bool(problems)
    print(f"all designs ran {time.monotonic() - start:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
