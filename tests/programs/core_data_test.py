"""--core-data FILE: a good core data file lets the dialogue run and takes the
place of the estimated geometry in the design file's loss budget; a file that
cannot be used ends the program before the dialogue with status 2 and one
line naming the file and the problem."""

import copy
import json
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
                     sum(d["P_W"] for d in point["output_diodes"]) + point["ic_diode_W"] +
                     point["controller_W"] + point["bridge_W"] + point["clamp_W"])
            self.assertGreater(terms, 0)
            self.assertAlmostEqual(point["total_W"], terms, places=9)


if __name__ == "__main__":
    unittest.main()
