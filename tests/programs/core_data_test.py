"""--core-data FILE: a good core data file lets the dialogue run and takes the
place of the estimated geometry in the design file's loss budget; a file that
cannot be used ends the program before the dialogue with status 2 and one
line naming the file and the problem."""

import copy
import json
import os
import unittest

from program_run import FLYBACK, TO_MAIN_MENU, ProgramTest

# An ETD 39/20/13 on its coil former (docs/losses.md), in the built-in N87.
GOOD = {
    "geometry": {
        "shape": "ETD 39 on my bobbin", "l_e_mm": 92.2, "A_e_mm2": 125, "V_e_mm3": 11500,
        "window_area_mm2": 257, "bobbin_width_mm": 26.2, "mean_turn_length_mm": 68.5,
        "surface_cm2": 76.8,
    },
    "material": "N87",
}

OWN_MATERIAL = {
    "name": "my ferrite", "Pv_limit_W_per_m3": 400000,
    "ranges": [
        {"f_min_Hz": 0, "f_max_Hz": 100000, "k": 3.2, "alpha": 1.46, "beta": 2.75,
         "ct0": 2.45, "ct1": 0.031, "ct2": 1.65e-4},
        {"f_min_Hz": 100000, "f_max_Hz": 300000, "k": 0.25, "alpha": 1.63, "beta": 2.45,
         "ct0": 1.26, "ct1": 0.0105, "ct2": 0.79e-4},
    ],
}


class CoreDataFile(ProgramTest):

    def run_with(self, data, name="core.json"):
        with open(self.path(name), "w", encoding="utf-8") as file:
            json.dump(data, file)
        return self.run_program([FLYBACK, "--script", "--core-data", name], stdin=b"\n")

    def assert_refused(self, data, problem):
        process = self.run_with(data)
        self.assert_ended_before_the_dialogue(
            process, f'flyback: cannot use the core data file "core.json": {problem}')
        self.assertEqual(process.stdout, b"")

    def test_good_files_let_the_dialogue_run(self):
        for material in ("N87", OWN_MATERIAL):
            with self.subTest(material=material):
                process = self.run_with(dict(GOOD, material=material))
                self.assertEqual(process.returncode, 0)
                self.assertEqual(process.stderr, b"")
                self.assertTrue(process.stdout.endswith(b"[3] => <cancel>\n"))

    def test_the_ambient_reaches_the_adviser(self):
        with open(self.path("core.json"), "w", encoding="utf-8") as file:
            json.dump(dict(GOOD, T_ambient_C=60), file)
        process = self.run_program(
            [FLYBACK, "--script", "--core-data", "core.json", "--advise", "--export", "d.json"],
            TO_MAIN_MENU.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        with open(self.path("d.json"), encoding="utf-8") as file:
            alternatives = json.load(file)["alternatives"]
        self.assertEqual(alternatives["limits"]["T_ambient_C"], 60)
        hot_spots = [c["hot_spot_C"] for c in alternatives["candidates"]
                     if c["hot_spot_C"] is not None]
        self.assertTrue(hot_spots)
        self.assertTrue(all(t > 60 for t in hot_spots), min(hot_spots))

    def test_a_missing_field(self):
        data = copy.deepcopy(GOOD)
        del data["geometry"]["V_e_mm3"]
        self.assert_refused(data, "the field geometry.V_e_mm3 is missing")

    def test_a_negative_volume(self):
        data = copy.deepcopy(GOOD)
        data["geometry"]["V_e_mm3"] = -11500
        self.assert_refused(data, "geometry.V_e_mm3 must be above 0, not -11500")

    def test_text_where_a_number_belongs(self):
        data = copy.deepcopy(GOOD)
        data["geometry"]["l_e_mm"] = "92.2"
        self.assert_refused(data, 'geometry.l_e_mm must be a number, not "92.2"')

    def test_ranges_that_do_not_meet(self):
        material = copy.deepcopy(OWN_MATERIAL)
        material["ranges"][1]["f_min_Hz"] = 120000
        self.assert_refused(dict(GOOD, material=material),
                            "material.ranges[1].f_min_Hz must equal the f_max_Hz of the range "
                            "before")

    def test_an_unknown_grade(self):
        self.assert_refused(dict(GOOD, material="N99"), 'the material "N99" is not a known grade')

    def test_an_unreadable_file(self):
        process = self.run_program([FLYBACK, "--script", "--core-data", "missing.json"])
        self.assert_ended_before_the_dialogue(
            process,
            'flyback: cannot use the core data file "missing.json": No such file or directory')


def nested(levels):
    """A field that nests `levels` lists, beside the good figures."""
    return json.dumps(dict(GOOD, note="@")).replace('"@"', "[" * levels + "]" * levels)


def with_material_range(**figures):
    """OWN_MATERIAL with `figures` in its second range."""
    material = copy.deepcopy(OWN_MATERIAL)
    material["ranges"][1].update(figures)
    return dict(GOOD, material=material)


def with_geometry(**figures):
    data = copy.deepcopy(GOOD)
    data["geometry"].update(figures)
    return data


# Every figure at the lower and at the upper end of its range (docs/losses.md).
LOWEST = {
    "geometry": {"shape": "lowest", "l_e_mm": 1, "A_e_mm2": 0.1, "V_e_mm3": 1,
                 "window_area_mm2": 0.1, "bobbin_width_mm": 0.1, "mean_turn_length_mm": 1,
                 "surface_cm2": 0.01},
    "material": {"name": "lowest", "Pv_limit_W_per_m3": 1000, "ranges": [
        {"f_min_Hz": 0, "f_max_Hz": 1e8, "k": 1e-15, "alpha": 1, "beta": 1, "ct0": 0, "ct1": 0,
         "ct2": 0}]},
}
HIGHEST = {
    "geometry": {"shape": "highest", "l_e_mm": 1000, "A_e_mm2": 1e4, "V_e_mm3": 1e7,
                 "window_area_mm2": 1e5, "bobbin_width_mm": 1000, "mean_turn_length_mm": 1000,
                 "surface_cm2": 1e4},
    "material": {"name": "highest", "Pv_limit_W_per_m3": 1e7, "ranges": [
        {"f_min_Hz": 0, "f_max_Hz": 1e8, "k": 1e15, "alpha": 3, "beta": 4, "ct0": 1000,
         "ct1": 100, "ct2": 1}]},
}

NINES = "9" * 900000


def cut(text):
    """`text` as a message of at most 200 characters shows it."""
    return text if len(text) <= 200 else text[:199] + "…"


class HostileCoreData(ProgramTest):
    """Files and names that must not hang, crash or flood the program: each is
    refused before the dialogue with status 2 and one line of at most 200
    characters after the file's name."""

    def refused(self, name, problem):
        process = self.run_program([FLYBACK, "--script", "--core-data", name], timeout=10)
        prefix = f'flyback: cannot use the core data file "{name}": '
        self.assertEqual(process.returncode, 2, name)
        self.assertEqual(process.stdout, b"")
        line = process.stderr.decode()  # valid UTF-8, or this fails
        self.assertTrue(line.startswith(prefix) and line.endswith("\n"), line[:300])
        shown = line[len(prefix):-1]
        self.assertLessEqual(len(shown), 200)
        self.assertFalse(any(ord(c) < 0x20 or ord(c) == 0x7F for c in shown), shown)
        if problem.endswith("..."):
            self.assertTrue(shown.startswith(problem[:-3]), shown)
        else:
            self.assertEqual(shown, problem)

    def write(self, name, content):
        with open(self.path(name), "wb") as file:
            file.write(content if isinstance(content, bytes) else content.encode())
        return name

    def test_names_that_are_no_regular_file(self):
        os.mkfifo(self.path("fifo"))
        os.mkdir(self.path("folder"))
        for name, problem in (
                ("/dev/zero", "it is a character device, not a regular file"),
                ("/dev/full", "it is a character device, not a regular file"),
                ("fifo", "it is a FIFO, not a regular file"),
                ("folder", "it is a folder, not a regular file"),
                ("/proc/self/mem", "read error: Input/output error"),
        ):
            with self.subTest(name=name):
                self.refused(name, problem)

    def test_contents_beyond_every_bound(self):
        # "..." ends a problem whose rest is the JSON library's own words.
        good = json.dumps(GOOD)
        cases = (
            ("1e400", '{"geometry":{"l_e_mm":1e400}}',
             "a number lies beyond the range of a double: number overflow parsing '1e400'"),
            ("900 kB of digits", '{"geometry":{"l_e_mm":' + NINES + "}}",
             cut("a number lies beyond the range of a double: number overflow parsing '" + NINES)),
            ("900 kB of text", '{"geometry":{"shape":"","l_e_mm":"' + NINES + '"}}',
             'geometry.l_e_mm must be a number, not "' + "9" * 39 + '…"'),
            ("65000 lists in a number field",
             '{"geometry":{"l_e_mm":' + "[" * 65000 + "]" * 65000 + "}}",
             "objects and lists nest more than 64 deep"),
            ("65 levels", nested(64), "objects and lists nest more than 64 deep"),
            ("one byte above 1 MB", good + " " * (1000001 - len(good)),
             "it holds more than 1000000 bytes"),
            ("no UTF-8", b'{"geometry": "\xff\xfe\x01"}', "not JSON: ..."),
            ("a control character", b'{"geometry": \x01}', "not JSON: ..."),
            ("a text of two lines", json.dumps(with_geometry(shape="ETD\n39")),
             "geometry.shape must be one line of at most 200 characters"),
            ("a text of 201 characters", json.dumps(with_geometry(shape="x" * 201)),
             "geometry.shape must be one line of at most 200 characters"),
            ("alpha 1000", json.dumps(with_material_range(alpha=1000)),
             "material.ranges[1].alpha must lie from 1 to 3, not 1000"),
            ("beta 0.5", json.dumps(with_material_range(beta=0.5)),
             "material.ranges[1].beta must lie from 1 to 4, not 0.5"),
            ("k 1e300", json.dumps(with_material_range(k=1e300)),
             "material.ranges[1].k must lie from 1e-15 to 1e+15, not 1e+300"),
            ("ct1 below 0", json.dumps(with_material_range(ct1=-0.01)),
             "material.ranges[1].ct1 must lie from 0 to 100 1/°C, not -0.01"),
            ("f_max 1 GHz", json.dumps(with_material_range(f_max_Hz=10**9)),
             "material.ranges[1].f_max_Hz must lie from 0 to 1e+08 Hz, not 1000000000"),
            ("a loss ceiling of 100 W/m³",
             json.dumps(dict(GOOD, material=dict(OWN_MATERIAL, Pv_limit_W_per_m3=100))),
             "material.Pv_limit_W_per_m3 must lie from 1000 to 1e+07 W/m³, not 100"),
            ("a magnetic path of 1 km", json.dumps(with_geometry(l_e_mm=10**6)),
             "geometry.l_e_mm must lie from 1 to 1000 mm, not 1000000"),
            ("a surface of 0.001 cm²", json.dumps(with_geometry(surface_cm2=0.001)),
             "geometry.surface_cm2 must lie from 0.01 to 10000 cm², not 0.001"),
            ("an ambient of 150 °C", json.dumps(dict(GOOD, T_ambient_C=150)),
             "T_ambient_C must lie from -40 to 100 °C, not 150"),
        )
        for what, content, problem in cases:
            with self.subTest(what=what):
                self.refused(self.write("core.json", content), problem)

    def test_the_ends_of_every_bound_are_taken(self):
        good = json.dumps(GOOD)
        for what, content in (("64 levels", nested(63)),
                              ("exactly 1 MB", good + " " * (1000000 - len(good))),
                              ("every figure at its lowest", json.dumps(LOWEST)),
                              ("every figure at its highest", json.dumps(HIGHEST))):
            with self.subTest(what=what):
                self.write("core.json", content)
                process = self.run_program(
                    [FLYBACK, "--script", "--core-data", "core.json", "--export", "d.json"],
                    TO_MAIN_MENU.encode())
                self.assertEqual(process.returncode, 0, process.stderr)
                with open(self.path("d.json"), encoding="utf-8") as file:
                    codes = [check["code"] for check in json.load(file)["checks"]]
                self.assertNotIn("loss-budget-not-finite", codes)


# The same ETD 39 wound on another bobbin, with the effective volume of a
# slightly longer core set: 12000 mm³ and a mean turn of 72 mm.
OWN_BOBBIN = {
    "geometry": {
        "shape": "ETD 39 on a narrow bobbin", "l_e_mm": 96.2, "A_e_mm2": 125, "V_e_mm3": 12000,
        "window_area_mm2": 240, "bobbin_width_mm": 24.0, "mean_turn_length_mm": 72.0,
        "surface_cm2": 78.0,
    },
    "material": "N87",
}

# The three-output demonstration with an other transformer (type 3) of the
# default name and AL and an Ae of 5000 mm², cancelled at the result screen.
OTHER_TRANSFORMER_5000_MM2 = "\n" * 16 + "3\n\n\n5000\n" + "\n" * 5


class CoreOfTheLossBudget(ProgramTest):
    """Where the design file's loss budget takes its core from."""

    def losses(self, answers, core_data=None):
        """The "losses" of the design file that a run with `answers` writes."""
        arguments = [FLYBACK, "--script", "--export", "d.json"]
        if core_data is not None:
            with open(self.path("core.json"), "w", encoding="utf-8") as file:
                json.dump(core_data, file)
            arguments += ["--core-data", "core.json"]
        process = self.run_program(arguments, answers.encode())
        self.assertEqual(process.returncode, 0, process.stderr)
        with open(self.path("d.json"), encoding="utf-8") as file:
            return json.load(file)["losses"]

    def test_the_file_replaces_the_estimated_geometry(self):
        losses = self.losses(TO_MAIN_MENU, OWN_BOBBIN)
        self.assertFalse(losses["core"]["estimated"])
        self.assertEqual(losses["core"]["shape"], "ETD 39 on a narrow bobbin")
        self.assertEqual(losses["core"]["V_e_mm3"], 12000)
        self.assertEqual(losses["core"]["material"], "N87")
        low = losses["operating_points"][0]
        # The core loses its density over the file's volume, 12000 mm³. The
        # primary's 53 turns of 72 mm instead of 68.5 mm: 0.30470 ohm x
        # 72/68.5 = 0.32027 ohm (hand calculation of the estimate in
        # tests/losses/loss_budget_test.cpp).
        self.assertAlmostEqual(low["core_W"], low["core_density_W_per_m3"] * 12000e-9, places=12)
        self.assertAlmostEqual(low["windings"][0]["R_dc_ohm"], 0.32027, delta=2e-5)

    def test_an_ae_beyond_every_standard_shape_has_no_transformer_losses(self):
        losses = self.losses(OTHER_TRANSFORMER_5000_MM2)
        self.assertEqual(losses["core"],
                         {"estimated": None,
                          "not_estimated": "no standard core shape near Ae = 5000 mm² "
                                           "(estimates cover 42 mm² to 504 mm²)"})
        for point in losses["operating_points"]:
            self.assertIsNone(point["core_W"])
            self.assertIsNone(point["transformer_rise_K"])
            self.assertEqual(point["windings"], [])
            # The rest of the budget still stands: its terms make its total.
            terms = (point["mosfet_conduction_W"] + point["mosfet_turn_on_W"] +
                     point["mosfet_turn_off_W"] +
                     sum(d["P_W"] for d in point["output_diodes"]) +
                     sum(c["P_W"] for c in point["output_capacitors"]) + point["ic_diode_W"] +
                     point["controller_W"] + point["bridge_W"] + point["clamp_W"])
            self.assertGreater(terms, 0)
            self.assertAlmostEqual(point["total_W"], terms, places=9)


if __name__ == "__main__":
    unittest.main()
