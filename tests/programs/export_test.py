"""The design file (--export) and the parts list (--bom): what they hold for
the demonstration design, the findings of broken designs, that the dialogue
is the same with and without them, and that they are written whole or not at
all. The schema check needs Debian's python3-jsonschema (scripts/setup.sh)."""

import csv
import io
import json
import os
import re
import subprocess
import unittest

import jsonschema

from program_run import FLYBACK, FLYBACK_GUI, ProgramTest, read_bytes, write_bytes

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCHEMA = os.path.join(SOURCE, "docs", "flyback-design.schema.json")
EXPORT_DOC = os.path.join(SOURCE, "docs", "export.md")
GOLDEN = os.path.join(SOURCE, "tests", "data")

# The demonstration design, the result report and the component list with
# the default answers (main menu 2, then 3).
DEMO_WITH_LIST = "\n" * 23 + "1\n" + "2\n\n\n\n" + "3\n\n\n"
# The columns of a part's stress beside its rating, in the parts list and in
# the design file's rows.
STRESS_COLUMNS = ["stress_quantity", "stress", "stress_unit", "stress_rating", "derated_limit",
                  "stress_point"]
# 48 V at 100 A on the default core: Return everywhere else, cancelled at the
# result screen's question.
OVERLOADED = "\n1\n\n48\n48\n100\n" + "\n" * 11


def load(path):
    with open(path, encoding="utf-8") as file:
        return json.load(file)


def golden_designators(case):
    """The designators of a golden component list, as its lines name them."""
    with open(os.path.join(GOLDEN, case, "Name0002.doc"), encoding="latin-1") as report:
        lines = report.read().splitlines()
    designators = []
    for line in lines:
        match = re.match(r"      (C4 [1-6] |D4 [1-6] |[A-Z]+[0-9]+(?:-[A-Z]+[0-9]+)?)( |$)", line)
        if match:
            designators.append(match.group(1).replace(" ", ""))
    return designators


class DesignFile(ProgramTest):

    def setUp(self):
        super().setUp()
        with open(SCHEMA, encoding="utf-8") as file:
            self.schema = json.load(file)
        jsonschema.Draft202012Validator.check_schema(self.schema)

    def validate(self, document):
        jsonschema.validate(document, self.schema, cls=jsonschema.Draft202012Validator)

    def demo_answer_file(self):
        """The answers of DEMO_WITH_LIST in a file; returns its path."""
        answers = self.path("answers.txt")
        write_bytes(answers, DEMO_WITH_LIST.encode())
        return answers

    def test_demonstration_design(self):
        process = self.run_program([FLYBACK, "--script", "--export", "d.json", "--bom", "b.csv"],
                                   DEMO_WITH_LIST.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        design = load(self.path("d.json"))
        self.validate(design)
        shown = design["transformer"]["shown"]
        self.assertEqual(shown["primary_turns"], 53)
        self.assertEqual(shown["primary_inductance_uH"], 534)
        self.assertEqual(shown["U_D_max_V"], 598)
        self.assertEqual(shown["fsntmin_kHz"], 23.7)
        self.assertEqual([w["Uact_V"] for w in design["windings"][2:]], [100.04, 16.16, 8.53])
        self.assertTrue(all(w["in_window"] for w in design["windings"][2:]))
        # Within every bound of the design checks and of the loss budget (its
        # 15.30 W at the bus valley give 83.2 %, hand calculation in
        # tests/losses/loss_budget_test.cpp); the drain's 597.9 V lie above
        # 90 % of the MOSFET's 600 V, and R06's 2.27 W at the highest input
        # voltage above 60 % of its 2 W. Its terms add up to its total.
        self.assertEqual([c["code"] for c in design["checks"]],
                         ["part-stress-high", "part-stress-high"])
        low = design["losses"]["operating_points"][0]
        terms = (low["core_W"] + sum(w["P_W"] for w in low["windings"]) +
                 low["mosfet_conduction_W"] + low["mosfet_turn_on_W"] +
                 low["mosfet_turn_off_W"] + sum(d["P_W"] for d in low["output_diodes"]) +
                 sum(c["P_W"] for c in low["output_capacitors"]) + low["ic_diode_W"] +
                 low["controller_W"] + low["bridge_W"] + low["clamp_W"])
        self.assertAlmostEqual(terms, low["total_W"], places=9)
        self.assertAlmostEqual(low["efficiency"], 0.8324, places=4)
        self.assertAlmostEqual(low["transformer_rise_K"], 33.99, places=2)
        self.assertTrue(design["losses"]["core"]["estimated"])
        self.assertEqual(design["components"]["C07"]["value"], 150)
        # The bridge as four diodes, its part and rating apart (the list
        # prints "4* BYW76      600 V, 1A, 50ns").
        self.assertEqual(design["components"]["D01-D04"],
                         {"quantity": 4, "value": None, "unit": "", "part": "BYW76",
                          "rating": "600 V, 1 A, 50 ns", "remark": "",
                          **dict.fromkeys(STRESS_COLUMNS)})
        self.assertIsNone(design["optimization"])
        # No temporary file stays beside them.
        self.assertEqual(sorted(f for f in os.listdir(self.folder) if f != "state"),
                         ["Name0001.doc", "Name0002.doc", "b.csv", "d.json"])

        with open(self.path("b.csv"), encoding="utf-8", newline="") as file:
            rows = list(csv.reader(file, strict=True))
        self.assertEqual(rows[0], ["designator", "quantity", "value", "unit", "part", "rating",
                                   "remark"] + STRESS_COLUMNS)
        self.assertTrue(all(len(row) == 13 for row in rows))
        self.assertEqual([row[0] for row in rows[1:]], golden_designators("components-demo"))
        # By the catalogue rules: the fast bridge for I_in_avg up to 1 A; the
        # 600 V MOSFET for a peak drain current of 2.7 A to 4.8 A; 125 uF/A x
        # 0.993 A = 124 uF gives 150 uF, the 420 V bus 450 V; the filter choke
        # below 1 A; output 1 (101 V, 0.875 A through the diode) in the 800 V
        # class; the 2 mH PFC choke, rated 1 A.
        for expected in (["D01-D04", "4", "", "", "BYW76", "600 V, 1 A, 50 ns", ""],
                         ["T01", "1", "", "", "QMP03N60X5", "600 V, 1.4 Ohm, 3.2 A", ""],
                         ["C07", "1", "150", "\u00b5F", "", "450 V", ""],
                         ["L01", "1", "33", "mH", "B82724-J2102-N1", "1 A",
                          "filter choke, 2 windings, Epcos"],
                         ["D41", "1", "", "", "MUR 490", "900 V, 4 A, 75 ns", ""],
                         ["L08", "1", "2", "mH", "B82614-R2102-A30", "1 A", "PFC choke, Epcos"]):
            self.assertIn(expected, [row[:7] for row in rows])
        self.assertTrue(read_bytes(self.path("b.csv")).endswith(b"\r\n"))

    def test_each_stressed_part_carries_its_stress_beside_its_rating(self):
        # The 55 W design without PFC (tests/data/losses-no-pfc-snubber), on
        # to its component list: its snubber adds R11, C11 and D10 to T01 and
        # C09.
        answers = read_bytes(os.path.join(GOLDEN, "losses-no-pfc-snubber", "answers.txt"))
        process = self.run_program([FLYBACK, "--script", "--export", "d.json", "--bom", "b.csv"],
                                   answers + b"1\n3\n\n\n\n")
        self.assertEqual(process.returncode, 0, process.stderr)
        design = load(self.path("d.json"))
        self.validate(design)
        stresses = {s["part"]: s for s in design["losses"]["part_stresses"]}
        with open(self.path("b.csv"), encoding="utf-8", newline="") as file:
            rows = {row["designator"]: row for row in csv.DictReader(file, strict=True)}
        # The rating the list prints, less the derating of docs/losses.md.
        for part, quantity, unit, rating, derated_limit in (
                ("T01", "drain voltage", "V", "600", "540"),  # the 600 V class, 90 %
                ("C09", "voltage", "V", "1000", "700"),  # 70 %
                ("R11", "power", "W", "2", "1.2"),  # 60 %
                ("C11", "voltage", "V", "630", "441"),  # 70 %
                ("D10", "reverse voltage", "V", "600", "480")):  # MUR160, 80 %
            with self.subTest(part=part):
                row = rows[part]
                self.assertTrue(row["rating"].startswith(f"{rating} {unit}"), row["rating"])
                self.assertEqual([row["stress_quantity"], row["stress_unit"], row["stress_rating"],
                                  row["derated_limit"]], [quantity, unit, rating, derated_limit])
                # The budget's worst stress, at the 15 digits of the list.
                worst = stresses[part]
                self.assertAlmostEqual(float(row["stress"]), worst["stress"], delta=1e-12)
                self.assertEqual(row["stress_point"], worst["operating_point"])
                self.assertEqual([design["components"][part][key] for key in STRESS_COLUMNS],
                                 [quantity, worst["stress"], unit, float(rating),
                                  float(derated_limit), worst["operating_point"]])
        # The drain peaks at the highest bus, near 680 V (the case's README).
        self.assertEqual(rows["T01"]["stress_point"], "highest input voltage")
        self.assertAlmostEqual(float(rows["T01"]["stress"]), 680, delta=5)
        # A part the budget does not stress: the fuse.
        self.assertEqual([rows["F01"][key] for key in STRESS_COLUMNS], [""] * 6)
        self.assertEqual([design["components"]["F01"][key] for key in STRESS_COLUMNS], [None] * 6)

    def test_findings_of_an_overloaded_and_a_hand_changed_design(self):
        process = self.run_program([FLYBACK, "--script", "--export", "d.json"],
                                   OVERLOADED.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        design = load(self.path("d.json"))
        self.validate(design)
        self.assertEqual(design["transformer"]["shown"]["primary_inductance_uH"], 0)
        self.assertEqual([(c["severity"], c["code"]) for c in design["checks"]],
                         [("error", "inductance-not-positive"),
                          ("error", "output-turns-not-positive"),
                          ("error", "output-voltage-not-positive"),
                          # 4.8 kW through the default core: the losses outgrow
                          # the power (100 A of ripple in one 10000 µF
                          # capacitor of 0.018 Ohm alone takes 324 W).
                          ("error", "loss-budget-runs-away"),
                          ("warning", "conduction-loss-above-budget"),
                          # The drain, R06 and D09 beyond their derated ratings.
                          ("warning", "part-stress-high"),
                          ("warning", "part-stress-high"),
                          ("warning", "part-stress-high")])

        # The 8 V to 9 V winding of the demonstration design set to 6 turns by
        # hand: 6 x 1.9063 V - 1 V = 10.44 V.
        hand_changed = "\n" * 25 + "2\nt\n3\n6\n"
        process = self.run_program([FLYBACK, "--script", "--export", "d.json"],
                                   hand_changed.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        design = load(self.path("d.json"))
        self.assertEqual(design["windings"][4]["Uact_V"], 10.44)
        self.assertFalse(design["windings"][4]["in_window"])
        # The winding's finding, before the MOSFET's and R06's stresses (which
        # hand turns of a secondary do not change).
        self.assertEqual([c["code"] for c in design["checks"]],
                         ["output-voltage-high", "part-stress-high", "part-stress-high"])

    def test_efficiency_map_file(self):
        # The map of the demonstration (90 to 270 V: also 115 V and 230 V),
        # a line per voltage and load with no load last, as the design file
        # has it.
        process = self.run_program([FLYBACK, "--script", "--export", "d.json",
                                    "--efficiency-map", "m.csv"], DEMO_WITH_LIST.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        lines = read_bytes(self.path("m.csv")).decode().split("\r\n")
        self.assertEqual(lines[-1], "")
        rows = [line.split(",") for line in lines[1:-1]]
        self.assertEqual(lines[0].split(",")[:4], ["input", "U_input_V", "U_bus_V", "load"])
        self.assertEqual([(row[1], row[3]) for row in rows],
                         [(U, load) for U in ("90", "115", "230", "270")
                          for load in ("0.1", "0.25", "0.5", "0.75", "1", "0")])
        design = load(self.path("d.json"))
        points = [point for voltage in design["efficiency_map"]["voltages"]
                  for point in voltage["points"] + [voltage["no_load"]]]
        # The CSV writes 15 significant digits.
        self.assertEqual(len(rows), len(points))
        for row, point in zip(rows, points):
            self.assertAlmostEqual(float(row[5]), point["P_in_W"], delta=1e-13 * point["P_in_W"])
        self.assertIn("Efficiency over load", process.stderr.decode())

    def test_a_dc_range_up_to_0_volts(self):
        # The demonstration on DC input from 154 V down to 0 V: the highest
        # input point has no bus, its switching and losses are no figures.
        answers = "\n" * 19 + "4\n154\n0\n" + "\n" * 4
        process = self.run_program([FLYBACK, "--script", "--export", "d.json", "--design-report",
                                    "r.html"], answers.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        design = load(self.path("d.json"))
        self.validate(design)
        self.assertIsNone(design["losses"]["operating_points"][2]["switching"]["t_on_us"])
        self.assertEqual(design["checks"][0],
                         {"severity": "error", "code": "bus-voltage-not-positive",
                          "quantity": "U_bus", "value": 0, "bound": 0,
                          "message": "the highest input voltage cannot be worked out: "
                                     "its bus voltage is 0 V"})
        # The report would show those losses as no figures: it is not written.
        self.assertFalse(os.path.exists(self.path("r.html")))
        self.assertIn(b'flyback: the design report "r.html" is not written: a figure of its '
                      b'section "Loss budget and temperature rise" is not finite\n',
                      process.stderr)

    def test_the_window_writes_the_same_design(self):
        if not FLYBACK_GUI:
            self.skipTest("the window is not built")
        answers = self.demo_answer_file()
        window = self.run_program([FLYBACK_GUI, "--export", "w.json", "--bom", "w.csv"],
                                  env=self.window_environment(answers))
        self.assertEqual(window.returncode, 0, window.stderr)
        script = self.run_program([FLYBACK, "--script", "--export", "s.json", "--bom", "s.csv"],
                                  DEMO_WITH_LIST.encode())
        self.assertEqual(script.returncode, 0, script.stderr)
        self.assertEqual(read_bytes(self.path("w.json")), read_bytes(self.path("s.json")))
        self.assertEqual(read_bytes(self.path("w.csv")), read_bytes(self.path("s.csv")))

    def test_golden_transcripts_do_not_change(self):
        for case in sorted(os.listdir(GOLDEN)):
            answers = os.path.join(GOLDEN, case, "answers.txt")
            if not os.path.exists(answers):
                continue
            with self.subTest(case=case):
                work = self.path(case)
                os.mkdir(work)
                process = self.run_program([FLYBACK, "--script", "--export", "d.json", "--bom",
                                            "b.csv"], answers, work=work)
                self.assertEqual(process.returncode, 0, process.stderr)
                self.assertEqual(process.stdout,
                                 read_bytes(os.path.join(GOLDEN, case, "transcript.txt")))
                for name in os.listdir(work):
                    if name.endswith(".doc"):
                        self.assertEqual(read_bytes(os.path.join(work, name)),
                                         read_bytes(os.path.join(GOLDEN, case, name)), name)

    def test_a_file_that_cannot_be_written_ends_the_program(self):
        process = self.run_program([FLYBACK, "--script", "--export", "/dev/full/d.json"],
                                   DEMO_WITH_LIST.encode())
        self.assertEqual(process.returncode, 1)
        self.assertTrue(process.stderr.decode().startswith(
            'flyback: cannot write the design file "/dev/full/d.json": '), process.stderr)
        self.assertEqual(process.stderr.count(b"\n"), 1)

    def test_the_answers_are_no_place_for_them(self):
        answers = self.demo_answer_file()
        process = self.run_program([FLYBACK, "--script", "--export", answers], answers)
        self.assert_ended_before_the_dialogue(
            process, f'flyback: cannot write "{answers}": it holds the answers of this session')
        self.assertEqual(read_bytes(answers), DEMO_WITH_LIST.encode())

    def test_the_session_files_are_no_place_for_them(self):
        if not FLYBACK_GUI:
            self.skipTest("the window is not built")
        answers = self.demo_answer_file()
        os.makedirs(os.path.dirname(self.session_file))
        write_bytes(self.session_file, b"continue\n4\n")
        # The file of the session before (which this one would keep as the
        # previous one), and the previous one's place, where no file is yet.
        for kept in (self.session_file, self.previous_session_file):
            with self.subTest(kept=kept):
                process = self.run_program([FLYBACK_GUI, "--export", kept],
                                           env=self.window_environment(answers))
                self.assertEqual(process.returncode, 2)
                self.assertIn(f'flyback-gui: cannot write "{kept}": it holds the answers of this '
                              f'session\n'.encode(), process.stderr)
                self.assertEqual(read_bytes(self.session_file), b"continue\n4\n")
                self.assertFalse(os.path.exists(self.previous_session_file))


class BatchExample(ProgramTest):

    def test_the_sweep_of_the_documentation_runs_as_written(self):
        with open(EXPORT_DOC, encoding="utf-8") as doc:
            text = doc.read()
        script = re.search(r"<!-- example: slot-core sweep -->\n```sh\n(.*?)```", text, re.S).group(1)
        env = self.environment(PATH=os.path.dirname(FLYBACK) + os.pathsep + os.environ["PATH"])
        process = subprocess.run(["bash", "-euo", "pipefail", "-c", script], cwd=self.folder,
                                 env=env, capture_output=True, check=False, timeout=120)
        self.assertEqual(process.returncode, 0, process.stderr)
        rows = [line.split("\t") for line in process.stdout.decode().splitlines()]
        self.assertEqual(len(rows), 12)
        # The demonstration transformer: 53 turns, 340 mT, 23.7 kHz, the
        # losses give 83.2 % at the bus valley (hand calculation in
        # tests/losses/loss_budget_test.cpp), the drain 597.9 V above 90 % of
        # the MOSFET's 600 V and R06's 2.27 W above 60 % of its 2 W.
        self.assertEqual(rows[3], ["SMT 31/190 (Orega)", "53", "340", "23.7", "83.2",
                                   "part-stress-high part-stress-high"])
        for row in rows:
            self.assertEqual(len(row), 6)
            self.assertTrue(set(row[5].split()) <= {"output-voltage-low", "output-voltage-high",
                                                    "efficiency-optimistic",
                                                    "transformer-temperature-rise-high",
                                                    "clamp-loss-high", "part-stress-high"}, row)


if __name__ == "__main__":
    unittest.main()
