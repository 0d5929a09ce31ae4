"""The simulation recovers from what one design does to ngspice, and bounds
a run that cannot end.

Usage: simulation_recovery_test.py FLYBACK. Two scripts of answers with
'flyback --script --simulate --without-load-points' (one answer a line;
R×n stands for n Returns; the efficiency map's load points add nothing to
what is recovered):

- 'R×25, 1, R×3, 1, R, 1, R, 1, R, 1e-30, R×3, 2, p, 2, +, b, 1, 10, R×26':
  the 80 W demonstration, an optimization to 1e-30 mT, 2 primary turns and
  "+" give netlists that ngspice refuses; then main menu 10 starts the
  demonstration again, which must simulate as at first. Each refusal is
  told with ngspice's reason, not only where it found it.
- 'R×25, 2, t, 0, 1e-30': the demonstration, then an IC-supply winding of
  1e-30 turns, whose analysis crawls (about 300 s to its end): it must be
  reported within a few seconds of the demonstration's table.

Every line on standard error is free of control characters, and every
table line of figures that are not numbers (nan, inf). Exits with 77 (skipped) where ngspice's
shared library is not installed.
"""

import ctypes.util
import re
import subprocess
import sys
import time

NOT_A_FIGURE = re.compile(rb"(?<![A-Za-z])-?(nan|inf)(?![A-Za-z])", re.IGNORECASE)
CONTROL = re.compile(rb"[\x00-\x09\x0b-\x1f\x7f]")
# Seconds from the demonstration's table to the report of the crawling run:
# half a second of processor time judges its pace; the rest is the start of
# the worker and a loaded machine.
REPORTED_WITHIN_S = 10


def answers(script):
    lines = []
    for answer in script.split(","):
        answer = answer.strip()
        if answer.startswith("R×"):
            lines += [""] * int(answer[2:])
        else:
            lines.append("" if answer == "R" else answer)
    return "".join(line + "\n" for line in lines).encode()


def run(flyback, script):
    """Runs the script; gives the status and the lines of standard error,
    each with the monotonic time it arrived."""
    process = subprocess.Popen([flyback, "--script", "--simulate", "--without-load-points"],
                               stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    process.stdin.write(answers(script))
    process.stdin.close()
    lines = [(time.monotonic(), line) for line in iter(process.stderr.readline, b"")]
    return process.wait(timeout=300), lines


def check_lines(lines, problems):
    """No control characters anywhere; no nan or inf in the tables (a
    refusal quotes ngspice, which quotes the netlist)."""
    for _, line in lines:
        table = not line.startswith(b"flyback: ")
        if CONTROL.search(line.rstrip(b"\n")) or (table and NOT_A_FIGURE.search(line)):
            problems.append(f"standard error holds {line!r}")


def without_run_time(line):
    return re.sub(rb", run [0-9.]+ s\n$", b"", line)


def tables(lines):
    """The comparison tables, each as its lines without the run times (the
    only part that changes from one run of a netlist to the next)."""
    found = []
    for _, line in lines:
        if line.startswith(b"Simulation (ngspice)"):
            found.append([])
        if found and not line.startswith(b"flyback: "):
            found[-1].append(without_run_time(line))
    return found


def check_refused_netlist(flyback, problems):
    script = "R×25, 1, R×3, 1, R, 1, R, 1, R, 1e-30, R×3, 2, p, 2, +, b, 1, 10, R×26"
    status, lines = run(flyback, script)
    check_lines(lines, problems)
    refused = [line.decode() for _, line in lines if b"ngspice refused the netlist" in line]
    print(f"{len(refused)} netlists refused")
    if status != 0:
        problems.append(f"status {status}")
    for line in refused:
        if line.rstrip().endswith(":"):
            problems.append(f"the reason is cut off: {line.rstrip()}")
    found = tables(lines)
    # The demonstration again, after the refusals, as at first; its table
    # ends standard error.
    if (len(found) < 2 or found[-1] != found[0]
            or without_run_time(lines[-1][1]) != found[-1][-1]):
        problems.append("the demonstration after the refusals was not simulated as at first: "
                        f"{len(found)} tables, the last line {lines[-1][1] if lines else b''!r}")


def check_crawling_run(flyback, problems):
    status, lines = run(flyback, "R×25, 2, t, 0, 1e-30")
    check_lines(lines, problems)
    table_end = [at for at, line in lines if line.startswith(b"highest input voltage  ")]
    failure = [(at, line.decode()) for at, line in lines if line.startswith(b"flyback: ")]
    if status != 0 or not table_end or len(failure) != 1:
        problems.append(f"status {status}, standard error {[line for _, line in lines]}")
        return
    at, line = failure[0]
    print(line.rstrip())
    print(f"reported {at - table_end[-1]:.1f} s after the demonstration's table")
    if "cannot reach its end time" not in line:
        problems.append(f"the crawling run is told as {line!r}")
    if at - table_end[-1] > REPORTED_WITHIN_S:
        problems.append(f"the crawling run was reported after {at - table_end[-1]:.1f} s")


def main():
    flyback = sys.argv[1]
    if ctypes.util.find_library("ngspice") is None:
        print("ngspice's shared library is not installed (scripts/setup.sh): skipped")
        return 77
    problems = []
    check_refused_netlist(flyback, problems)
    check_crawling_run(flyback, problems)
    for problem in problems:
        print("FAILED:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
