"""Checks the expected design files and parts lists of the golden cases
against the expected transcripts and component list reports beside them,
which were checked by hand: every figure the design file holds "as shown"
must be the figure the last result screen or winding table shows, every
finding must follow from the exported figures by the rules of
docs/export.md (the loss budget's by those of docs/losses.md), and every row of the parts list must stand in the printed
list with its value and part, and with the stress the design file gives the
part beside its rating. An expected file re-made from a faulty
program fails here even where the golden comparison would pass.

Usage: golden_export_agreement.py DATA_DIR"""
import csv
import json
import pathlib
import re
import sys

NUM = r"(-?[0-9.]+(?:E[+-][0-9]+)?)"


def last_block(lines, start, end):
    starts = [i for i, l in enumerate(lines) if start in l]
    if not starts:
        return None
    i = starts[-1]
    j = next((k for k in range(i, len(lines)) if end in lines[k]), len(lines) - 1)
    return lines[i:j + 1], i


def num(text):
    return float(text)


def check_result(lines, design, errors):
    found = last_block(lines, "    Result:", "Max. switch on time")
    if not found:
        return None
    block, at = found
    text = "\n".join(block)
    shown = design["transformer"]["shown"]
    pairs = [
        (r"Primary inductivity\s+" + NUM, ["primary_inductance_uH"]),
        (r"Max. magnetization, " + NUM + r" kHz\s+" + NUM, ["fsntmin_kHz", "Bmax_mT"]),
        (r"Max. input- / outputpower\s+" + NUM + r" W / " + NUM, ["P_in_max_W", "P_out_max_W"]),
        (r"Max. cond. loss in (.+?)\s{2,}" + NUM, ["mosfet", "conduction_loss_W"]),
        (r"Induced voltage in prim. winding\s+" + NUM, ["induced_voltage_V"]),
        (r"Max. drain voltage\s+" + NUM, ["U_D_max_V"]),
        (r"Max. drain current, [0-9.]+ kHz\s+" + NUM, ["I_D_max_A"]),
        (r"long. per.\s+" + NUM + r" kHz / " + NUM, ["fsntmin_kHz", "period_us"]),
        (r"Sec. voltage per turn\s+" + NUM, ["U_ts_V"]),
        (r"Max. switch on time\s+" + NUM, ["t_on_us"]),
    ]
    for pattern, keys in pairs:
        m = re.search(pattern, text)
        if not m:
            continue
        for key, value in zip(keys, m.groups()):
            want = shown[key]
            ok = value == want if key == "mosfet" else num(value) == want
            if not ok:
                errors.append(f"result screen {key}: shown {value}, exported {want}")
    return at


def check_windings(lines, design, errors):
    found = last_block(lines, "Windg.", " * ")
    if not found:
        return None
    block, at = found
    windings = {w["winding"]: w for w in design["windings"]}
    for line in block:
        m = re.match(r"(Prim\.|IC-supply|U \d)\s+(.*)", line)
        if not m:
            continue
        name = {"Prim.": "primary", "IC-supply": "IC supply"}.get(m.group(1))
        name = name or "output " + m.group(1)[2:]
        w = windings[name]
        values = [num(v) for v in re.findall(NUM, m.group(2))]
        if name == "IC supply":
            expect = [w["turns"], w["voltage_V"]]
        else:
            width = w["wires"] if w.get("wires") is not None else w["cross_section_mm2"]
            expect = [w["turns"], w["current_A"], w["rms_current_A"], width]
            if name != "primary":
                expect += [w["Umin_V"], w["Umax_V"], w["Uact_V"]]
        if values != expect:
            errors.append(f"winding table {name}: shown {values}, exported {expect}")
    return at


def check_findings(design, errors):
    """The findings re-derived from the exported figures (docs/export.md)."""
    codes = [f["code"] for f in design["checks"]]
    shown = design["transformer"]["shown"]
    conditions = design["inputs"]["operating_conditions"]
    for w in design["windings"]:
        if "Uact_V" not in w or w["turns"] <= 0 or w["Uact_V"] <= 0:
            continue
        inside = w["Umin_V"] <= w["Uact_V"] <= w["Umax_V"]
        if w["in_window"] != inside:
            errors.append(f"{w['winding']}: in_window {w['in_window']}, Uact {w['Uact_V']}")
    lows = sum(1 for w in design["windings"] if "Uact_V" in w and 0 < w["Uact_V"] < w["Umin_V"])
    highs = sum(1 for w in design["windings"] if "Uact_V" in w and w["Uact_V"] > w["Umax_V"])
    if codes.count("output-voltage-low") != lows or codes.count("output-voltage-high") != highs:
        errors.append(f"output findings {codes}: {lows} low, {highs} high")
    calc = design["transformer"]["calculated"]
    rules = [
        ("magnetization-above-limit", calc["Bmax_mT"] > conditions["Bmaxlim_mT"]),
        ("drain-voltage-above-limit", calc["U_D_max_V"] > conditions["U_D_lim_V"]),
        ("frequency-below-limit", calc["fsntmin_kHz"] < conditions["f_low_lim_kHz"]),
    ]
    losses = design["losses"]
    points = losses["operating_points"]
    core = losses["core"]
    # Each loss check judges the worst of the three operating points.
    efficiency = min(p["efficiency"] for p in points)
    rises = [p["transformer_rise_K"] for p in points if p["transformer_rise_K"] is not None]
    densities = [p["core_density_W_per_m3"] for p in points
                 if p["core_density_W_per_m3"] is not None]
    clamp = max(p["clamp_W"] for p in points)
    rules += [
        ("efficiency-optimistic", efficiency < losses["assumed_efficiency"] - 0.02),
        ("transformer-temperature-rise-high", bool(rises) and max(rises) > 40),
        ("core-loss-density-high", bool(densities) and max(densities) > core["Pv_limit_W_per_m3"]),
        ("clamp-loss-high", clamp > 0.03 * design["inputs"]["P_out_max_W"]),
    ]
    for code, holds in rules:
        if (code in codes) != holds:
            errors.append(f"finding {code}: present {code in codes}, rule gives {holds}")
    # The MOSFET's stress is the highest drain peak of the points; every part
    # beyond its derated rating is one finding.
    stresses = losses["part_stresses"]
    drains = [s for s in stresses if s["part"] == "T01"]
    peak = max(p["drain_peak_V"] for p in points)
    if drains and abs(drains[0]["stress"] - peak) > 1e-9:
        errors.append(f"T01 stress {drains[0]['stress']} is not the drain peak {peak}")
    over = sum(1 for s in stresses if s["stress"] > s["derated_limit"])
    if codes.count("part-stress-high") != over:
        errors.append(f"part-stress-high {codes.count('part-stress-high')} times, {over} parts over")


# The stress columns of a part's row and the keys of losses.part_stresses
# they come from; the derating of each stressed quantity (docs/losses.md).
STRESS_KEYS = {"stress_quantity": "quantity", "stress": "stress", "stress_unit": "unit",
               "stress_rating": "rating", "derated_limit": "derated_limit",
               "stress_point": "operating_point"}
DERATING = {"drain voltage": 0.9, "power": 0.6, "voltage": 0.7, "reverse voltage": 0.8}


def governing_stress(stresses, designator):
    """The part's stress nearest its derated limit, the first of equal ones;
    one that is not a figure (null) before any other (docs/export.md)."""
    def share(s):
        return float("inf") if s["stress"] is None else s["stress"] / s["derated_limit"]
    governing = None
    for s in stresses:
        if s["part"] == designator and (governing is None or share(s) > share(governing)):
            governing = s
    return governing


def check_stress_rows(design, errors):
    """Every row of the design file's component list carries its governing
    stress, rated as the list rates the part and derated by its rule."""
    if design["components"] is None:
        return
    stresses = design["losses"]["part_stresses"]
    for designator, row in design["components"].items():
        governing = governing_stress(stresses, designator)
        expect = {key: governing[source] if governing else None
                  for key, source in STRESS_KEYS.items()}
        if {key: row[key] for key in STRESS_KEYS} != expect:
            errors.append(f"component {designator}: stress columns are not {expect}")
        if not governing:
            continue
        rated = f"{governing['rating']:g} {governing['unit']}"
        if rated not in row["rating"]:
            errors.append(f"component {designator}: rated {rated}, the list {row['rating']!r}")
        derated = governing["rating"] * DERATING[governing["quantity"]]
        if abs(governing["derated_limit"] - derated) > 1e-9 * derated:
            errors.append(f"component {designator}: derated limit {governing['derated_limit']}, "
                          f"the rule gives {derated}")


def check_parts(case, design, errors):
    parts = case / "parts.csv"
    if not parts.exists():
        return
    report = case / "Name0002.doc"
    printed = report.read_bytes().decode("latin-1").split("\r\n")
    rows = list(csv.DictReader(parts.open(encoding="utf-8", newline="")))
    for row in rows:
        line = next((l for l in printed if l.strip() and
                     l.split("  ")[0].replace(" ", "") == "" and
                     re.sub(r"\s", "", l[:16]).startswith(row["designator"])), None)
        line = line or next((l for l in printed
                             if re.sub(r"\s", "", l).startswith(row["designator"])), None)
        if line is None:
            errors.append(f"parts list {row['designator']}: not in the printed list")
            continue
        part = re.sub(r"\s", "", row["part"])
        if part and part not in re.sub(r"\s", "", line):
            errors.append(f"parts list {row['designator']} part {row['part']!r}: not in {line!r}")
        value = row["value"]
        if value and not re.search(r"(?<![0-9.])" + re.escape(value) + r"(?![0-9.])", line):
            errors.append(f"parts list {row['designator']} value {value!r}: not in {line!r}")
        # The stress columns as the design file's row has them, empty for null.
        exported = design["components"][row["designator"]]
        for key in STRESS_KEYS:
            want = exported[key]
            if want is None:
                ok = row[key] == ""
            elif isinstance(want, float):
                ok = row[key] != "" and abs(float(row[key]) - want) <= 1e-13 * abs(want)
            else:
                ok = row[key] == str(want)
            if not ok:
                errors.append(f"parts list {row['designator']} {key} {row[key]!r}: "
                              f"the design file has {want!r}")


def main(data_dir):
    failed = False
    for case in sorted(pathlib.Path(data_dir).iterdir()):
        if not (case / "design.json").exists():
            continue
        errors = []
        design = json.loads((case / "design.json").read_text(encoding="utf-8"))
        lines = (case / "transcript.txt").read_text(encoding="utf-8").split("\n")
        at_result = check_result(lines, design, errors)
        # The winding table counts where it shows the design last.
        table = last_block(lines, "Windg.", " * ")
        at_table = None
        if table and (at_result is None or table[1] > at_result):
            at_table = check_windings(lines, design, errors)
        check_findings(design, errors)
        check_stress_rows(design, errors)
        check_parts(case, design, errors)
        status = "ok" if not errors else "MISMATCH"
        print(f"{case.name}: {status} (result at {at_result}, table at {at_table}, "
              f"checks {[f['code'] for f in design['checks']]})")
        for e in errors:
            print("   ", e)
        failed |= bool(errors)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
